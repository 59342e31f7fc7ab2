// windows.h first: aclapi.h builds on its definitions.
#define NOMINMAX
#include <windows.h>

#include <aclapi.h>

#include <vector>

#include "platform/file_ownership.h"
#include "platform/win32_handle.h"
#include "platform/win32_security.h"
#include "platform/win32_text.h"

namespace platform {

namespace {

using win32::Handle;

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

// The owner and access list of an open file or link.
Ownership ownershipOfOpen(HANDLE file) {
    Descriptor descriptor;
    if (GetSecurityInfo(file, SE_FILE_OBJECT,
                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr, nullptr,
                        nullptr, nullptr, descriptor.out()) != ERROR_SUCCESS) {
        return Ownership::OtherOwner;  // a file whose owner cannot be read is nobody's to trust
    }
    return win32::ownershipOf(*descriptor.out());
}

Handle open(const std::wstring& path, DWORD flags) {
    return Handle(CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
}

}  // namespace

// A link (a symbolic link or a junction on the way) is the user's only when made by the user or
// the system; the file it leads to is then judged as any other.
FileCheck checkFile(const std::string& path) {
    const std::wstring name = win32::wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return {};
        }
    } else if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && volumeKeepsPermissions(name)) {
        const Handle link = open(name, FILE_FLAG_OPEN_REPARSE_POINT);
        if (!link.valid() || ownershipOfOpen(link.get()) == Ownership::OtherOwner) {
            return {Ownership::ForeignLink, 0};
        }
    }
    const Handle file = open(name, 0);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.valid()) {
        const DWORD error = GetLastError();
        return {error == ERROR_FILE_NOT_FOUND ? Ownership::Missing : Ownership::OtherOwner, 0};
    }
    if (!GetFileInformationByHandle(file.get(), &information)) {
        return {Ownership::OtherOwner, 0};
    }
    if (volumeKeepsPermissions(name)) {
        if (const Ownership ownership = ownershipOfOpen(file.get()); ownership != Ownership::Own) {
            return {ownership, 0};
        }
        if (information.nNumberOfLinks > 1) {
            return {Ownership::SeveralNames, 0};
        }
    }
    // 100-nanosecond intervals since 1601: only the order of two times matters.
    const ULONGLONG written =
        (static_cast<ULONGLONG>(information.ftLastWriteTime.dwHighDateTime) << 32) |
        information.ftLastWriteTime.dwLowDateTime;
    return {Ownership::Own, static_cast<std::int64_t>(written) * 100};
}

// The owners and access lists of the folders on the way are not judged on Windows yet; each
// file's own are (checkFile).
FolderCheck checkFolderWay(const std::string& /*folder*/) {
    return {};
}

namespace win32 {

Ownership ownershipOf(void* descriptor) {
    PSID owner = nullptr;
    PACL access = nullptr;
    BOOL defaulted = FALSE;
    BOOL present = FALSE;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) || owner == nullptr ||
        !isUser(owner)) {
        return Ownership::OtherOwner;
    }
    if (!GetSecurityDescriptorDacl(descriptor, &present, &access, &defaulted) || !present ||
        access == nullptr) {
        return Ownership::WritableByOthers;  // no access list at all lets everyone write
    }
    for (DWORD index = 0; index < access->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(access, index, &entry) || letsOthersWrite(static_cast<ACE_HEADER*>(entry))) {
            return Ownership::WritableByOthers;
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
