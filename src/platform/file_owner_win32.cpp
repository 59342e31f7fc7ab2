// windows.h first: aclapi.h builds on its definitions.
#define NOMINMAX
#include <windows.h>

#include <aclapi.h>

#include <vector>

#include "platform/file_owner.h"
#include "platform/win32_security.h"
#include "platform/win32_text.h"

namespace platform {

namespace {

// The SID of the user running this process; empty when the system does not say.
const std::vector<BYTE>& userSid() {
    static const std::vector<BYTE> sid = [] {
        std::vector<BYTE> result;
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            return result;
        }
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<BYTE> buffer(size);
        if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
            const PSID user = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
            const auto* bytes = static_cast<const BYTE*>(user);
            result.assign(bytes, bytes + GetLengthSid(user));
        }
        CloseHandle(token);
        return result;
    }();
    return sid;
}

bool isUser(PSID sid) {
    const std::vector<BYTE>& user = userSid();
    return !user.empty() && EqualSid(sid, const_cast<BYTE*>(user.data()));
}

// Accounts that may change any file of the machine anyway, and the owner's own entry.
bool countsAsUser(PSID sid) {
    return isUser(sid) || IsWellKnownSid(sid, WinLocalSystemSid) ||
           IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ||
           IsWellKnownSid(sid, WinCreatorOwnerRightsSid);
}

// FAT and exFAT keep no owner and no access list.
bool volumeKeepsPermissions(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {};
    DWORD flags = 0;
    if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH) ||
        !GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) {
        return true;
    }
    return (flags & FILE_PERSISTENT_ACLS) != 0;
}

// Whether an entry of the access list lets an account other than the user change the file.
bool letsOthersWrite(const ACE_HEADER* header) {
    constexpr ACCESS_MASK writing =
        FILE_WRITE_DATA | FILE_APPEND_DATA | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
    if ((header->AceFlags & INHERIT_ONLY_ACE) != 0) {
        return false;  // applies to files made in a folder, not to this one
    }
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE &&
        header->AceType != ACCESS_ALLOWED_CALLBACK_ACE_TYPE) {
        return false;  // denying entries, audit and label entries grant nothing
    }
    const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
    return (ace->Mask & writing) != 0 && !countsAsUser(const_cast<DWORD*>(&ace->SidStart));
}

// A security descriptor that frees itself.
class Descriptor {
  public:
    Descriptor() = default;
    ~Descriptor() { LocalFree(descriptor_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    PSECURITY_DESCRIPTOR* out() { return &descriptor_; }

  private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

}  // namespace

Ownership fileOwnership(const std::string& path) {
    const std::wstring name = win32::wide(path);
    if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return Ownership::Missing;
        }
    }
    if (!volumeKeepsPermissions(name)) {
        return Ownership::Own;
    }
    Descriptor descriptor;
    if (GetNamedSecurityInfoW(name.c_str(), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, descriptor.out()) != ERROR_SUCCESS) {
        return Ownership::Foreign;
    }
    return win32::ownershipOf(*descriptor.out());
}

namespace win32 {

Ownership ownershipOf(void* descriptor) {
    PSID owner = nullptr;
    PACL access = nullptr;
    BOOL defaulted = FALSE;
    BOOL present = FALSE;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) ||
        !GetSecurityDescriptorDacl(descriptor, &present, &access, &defaulted)) {
        return Ownership::Foreign;
    }
    if (owner == nullptr || !isUser(owner) || !present || access == nullptr) {
        return Ownership::Foreign;  // no access list at all lets everyone write
    }
    for (DWORD index = 0; index < access->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(access, index, &entry) || letsOthersWrite(static_cast<ACE_HEADER*>(entry))) {
            return Ownership::Foreign;
        }
    }
    return Ownership::Own;
}

// The descriptor is given to the file as it is: SetNamedSecurityInfo would add entries that the
// folder passes on (Wine does so even for a protected list).
unsigned long keepToUser(const std::wstring& path) {
    if (!volumeKeepsPermissions(path)) {
        return ERROR_SUCCESS;
    }
    const std::vector<BYTE>& user = userSid();
    if (user.empty()) {
        return ERROR_NO_TOKEN;
    }
    auto* sid = const_cast<BYTE*>(user.data());
    std::vector<DWORD> list(
        (sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + user.size()) / sizeof(DWORD) + 1);
    auto* access = reinterpret_cast<PACL>(list.data());
    SECURITY_DESCRIPTOR descriptor{};
    if (!InitializeAcl(access, static_cast<DWORD>(list.size() * sizeof(DWORD)), ACL_REVISION) ||
        !AddAccessAllowedAce(access, ACL_REVISION, FILE_ALL_ACCESS, sid) ||
        !InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorOwner(&descriptor, sid, FALSE) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, access, FALSE) ||
        !SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED) ||
        !SetFileSecurityW(path.c_str(), OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                          &descriptor)) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

}  // namespace win32

}  // namespace platform
