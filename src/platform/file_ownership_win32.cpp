// windows.h first: aclapi.h builds on its definitions.
#define NOMINMAX
#include <windows.h>

#include <aclapi.h>

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

#include "platform/file_ownership.h"
#include "platform/file_ownership_win32.h"
#include "platform/win32_handle.h"
#include "platform/win32_text.h"

namespace platform {

namespace {

using win32::Handle;

// The SID of the user running this process; empty when the system does not say.
const std::vector<BYTE>& userSid() {
    static const std::vector<BYTE> sid = [] {
        std::vector<BYTE> result;
        const std::vector<BYTE> buffer = win32::processTokenInformation(TokenUser);
        if (!buffer.empty()) {
            const PSID user = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
            const auto* bytes = static_cast<const BYTE*>(user);
            result.assign(bytes, bytes + GetLengthSid(user));
        }
        return result;
    }();
    return sid;
}

bool isUser(PSID sid) {
    const std::vector<BYTE>& user = userSid();
    return !user.empty() && EqualSid(sid, const_cast<BYTE*>(user.data()));
}

// NT SERVICE\TrustedInstaller, the owner of the system's own folders: a service SID, not one
// of the system's well-known ones.
bool isTrustedInstaller(PSID sid) {
    static const std::vector<BYTE> installer = [] {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        constexpr DWORD parts[] = {SECURITY_SERVICE_ID_BASE_RID,
                                   956008885,
                                   3418522649,
                                   1831038044,
                                   1853292631,
                                   2271478464};
        std::vector<BYTE> result(GetSidLengthRequired(std::size(parts)));
        InitializeSid(result.data(), &nt, std::size(parts));
        for (BYTE index = 0; index < std::size(parts); ++index) {
            *GetSidSubAuthority(result.data(), index) = parts[index];
        }
        return result;
    }();
    return EqualSid(sid, const_cast<BYTE*>(installer.data()));
}

// Accounts that may change any file of the machine anyway.
bool isSystem(PSID sid) {
    return IsWellKnownSid(sid, WinLocalSystemSid) ||
           IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || isTrustedInstaller(sid);
}

// The system's accounts, and the owner's own entry.
bool countsAsUser(PSID sid) {
    return isUser(sid) || isSystem(sid) || IsWellKnownSid(sid, WinCreatorOwnerRightsSid);
}

// FAT and exFAT keep no owner and no access list. Asked through an open file, the volume needs
// no look-up of its mount point (under Wine, a round trip to another process); even so it is
// asked only about a file that fails, as asking costs more than the rest.
bool volumeKeepsPermissions(HANDLE file) {
    DWORD flags = 0;
    return !GetVolumeInformationByHandleW(file, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) ||
           (flags & FILE_PERSISTENT_ACLS) != 0;
}

bool volumeKeepsPermissions(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {};
    DWORD flags = 0;
    if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH) ||
        !GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) {
        return true;
    }
    return (flags & FILE_PERSISTENT_ACLS) != 0;
}

// Rights over a file that let another account change what it holds, take it over, or rename it
// away.
constexpr ACCESS_MASK ChangingFile =
    FILE_WRITE_DATA | FILE_APPEND_DATA | WRITE_DAC | WRITE_OWNER | DELETE;
// Rights over a folder that let another account take it over, move it away with all it holds,
// or remove and rename what it holds whatever their own access lists say.
constexpr ACCESS_MASK ReplacingInFolder = WRITE_DAC | WRITE_OWNER | DELETE | FILE_DELETE_CHILD;
// Rights that let another account put a new name into a folder, or make an empty folder or a
// link lead elsewhere (either write right lets it set a reparse point).
constexpr ACCESS_MASK AddingToFolder =
    FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_WRITE_ATTRIBUTES;

// Whether an entry of the access list gives an account other than the user any of the rights.
bool givesOthers(const ACE_HEADER* header, ACCESS_MASK rights) {
    if ((header->AceFlags & INHERIT_ONLY_ACE) != 0) {
        return false;  // applies to what is made in a folder, not to the folder itself
    }
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE &&
        header->AceType != ACCESS_ALLOWED_CALLBACK_ACE_TYPE) {
        return false;  // denying entries, audit and label entries grant nothing
    }
    const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
    ACCESS_MASK granted = ace->Mask;
    GENERIC_MAPPING generic = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                               FILE_ALL_ACCESS};
    MapGenericMask(&granted, &generic);
    return (granted & rights) != 0 && !countsAsUser(const_cast<DWORD*>(&ace->SidStart));
}

// Whether the access list of a descriptor gives an account other than the user any of the rights.
bool othersMay(void* descriptor, ACCESS_MASK rights) {
    PACL access = nullptr;
    BOOL defaulted = FALSE;
    BOOL present = FALSE;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &access, &defaulted) || !present ||
        access == nullptr) {
        return true;  // no access list at all lets everyone do everything
    }
    for (DWORD index = 0; index < access->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(access, index, &entry) ||
            givesOthers(static_cast<ACE_HEADER*>(entry), rights)) {
            return true;
        }
    }
    return false;
}

PSID ownerOf(void* descriptor) {
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    return GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) ? owner : nullptr;
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
    } else if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        const Handle link = open(name, FILE_FLAG_OPEN_REPARSE_POINT);
        if (!link.valid() || (ownershipOfOpen(link.get()) == Ownership::OtherOwner &&
                              volumeKeepsPermissions(link.get()))) {
            return {Ownership::ForeignLink, 0};
        }
    }
    const Handle file = open(name, 0);
    if (!file.valid()) {
        const DWORD error = GetLastError();
        return {error == ERROR_FILE_NOT_FOUND ? Ownership::Missing : Ownership::OtherOwner, 0};
    }
    // The basic and standard facts come without the file's name, which costs a look-up.
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic) ||
        !GetFileInformationByHandleEx(file.get(), FileStandardInfo, &standard, sizeof standard)) {
        return {Ownership::OtherOwner, 0};
    }
    Ownership ownership = ownershipOfOpen(file.get());
    if (ownership == Ownership::Own && standard.NumberOfLinks > 1) {
        ownership = Ownership::SeveralNames;
    }
    if (ownership != Ownership::Own && volumeKeepsPermissions(file.get())) {
        return {ownership, 0};
    }
    // 100-nanosecond intervals since 1601: only the order of two times matters.
    return {Ownership::Own, static_cast<std::int64_t>(basic.LastWriteTime.QuadPart) * 100};
}

namespace {

using win32::WayPlace;

// The length of a full path's root: "C:\", "\\server\share\", or either after "\\?\" (also
// "\\?\Volume{...}\"). A share is the top of the way: the server's own folders are not.
std::size_t rootLength(std::wstring_view path) {
    std::size_t start = 0;
    bool share = false;
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        start = 8;
        share = true;
    } else if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) {
        start = 4;
    } else if (path.starts_with(L"\\\\")) {
        start = 2;
        share = true;
    }
    std::size_t end = path.find(L'\\', start);
    if (share && end != std::wstring_view::npos) {
        end = path.find(L'\\', end + 1);
    }
    return end == std::wstring_view::npos ? path.size() : end + 1;
}

// A folder's own owner and access list, not those of what a link on it leads to. The volume is
// asked only about a folder that fails: asking costs more than the rest.
Ownership judgeFolder(const std::wstring& path, WayPlace place) {
    const Handle folder = open(path, FILE_FLAG_OPEN_REPARSE_POINT);
    FILE_BASIC_INFO information{};
    if (!folder.valid() || !GetFileInformationByHandleEx(folder.get(), FileBasicInfo, &information,
                                                         sizeof information)) {
        return Ownership::OtherOwner;  // a folder that cannot be looked at is nobody's to trust
    }
    if ((information.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        place = WayPlace::Link;
    }
    Descriptor descriptor;
    const Ownership ownership =
        GetSecurityInfo(folder.get(), SE_FILE_OBJECT,
                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr, nullptr,
                        nullptr, nullptr, descriptor.out()) == ERROR_SUCCESS
            ? win32::folderOwnershipOf(*descriptor.out(), place)
            : Ownership::OtherOwner;
    DWORD volumeFlags = 0;
    if (ownership != Ownership::Own &&
        GetVolumeInformationByHandleW(folder.get(), nullptr, 0, nullptr, nullptr, &volumeFlags,
                                      nullptr, 0) &&
        (volumeFlags & FILE_PERSISTENT_ACLS) == 0) {
        return Ownership::Own;  // FAT and exFAT keep nothing to judge
    }
    return ownership;
}

// The first folder from a full path up to its root that fails, the path itself judged as the
// end of the way.
FolderCheck walkUp(std::wstring step) {
    const std::size_t root = rootLength(step);
    for (WayPlace place = WayPlace::End;; place = WayPlace::Above) {
        if (const Ownership ownership = judgeFolder(step, place); ownership != Ownership::Own) {
            return {ownership, win32::utf8(step)};
        }
        if (step.size() <= root) {
            return {};
        }
        step.erase(std::max(step.find_last_of(L'\\'), root));
    }
}

std::wstring fullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    if (size == 0 || GetFullPathNameW(path.c_str(), size, full.data(), nullptr) >= size) {
        return {};
    }
    full.resize(full.find(L'\0'));
    while (full.size() > rootLength(full) && full.back() == L'\\') {
        full.pop_back();
    }
    return full;
}

// Where a folder really is once every link on its way is followed, in the same form as a
// full path ("C:\..." or "\\server\share\..."); empty when the system does not say.
std::wstring resolvedPath(const std::wstring& folder) {
    const Handle opened = open(folder, 0);
    if (!opened.valid()) {
        return {};
    }
    const DWORD size = GetFinalPathNameByHandleW(opened.get(), nullptr, 0, VOLUME_NAME_DOS);
    std::wstring resolved(size, L'\0');
    if (size == 0 ||
        GetFinalPathNameByHandleW(opened.get(), resolved.data(), size, VOLUME_NAME_DOS) >= size) {
        return {};
    }
    resolved.resize(resolved.find(L'\0'));
    if (resolved.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\" + resolved.substr(7);
    }
    if (resolved.starts_with(L"\\\\?\\") && resolved.size() >= 6 && resolved[5] == L':') {
        return resolved.substr(4);
    }
    return resolved;
}

bool missing(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool samePath(const std::wstring& one, const std::wstring& other) {
    return CompareStringOrdinal(one.c_str(), static_cast<int>(one.size()), other.c_str(),
                                static_cast<int>(other.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

// Where the folder is not made yet, the folder it will be made in is the end of the way: another
// account that could add to it could make the rest of the way its own first. The way is judged
// as it is named, and then as it really runs when a link leads elsewhere.
FolderCheck checkFolderWay(const std::string& folder) {
    std::wstring made = fullPath(win32::wide(folder));
    if (made.empty()) {
        return {Ownership::OtherOwner, folder};
    }
    while (made.size() > rootLength(made) && missing(made)) {
        made.erase(std::max(made.find_last_of(L'\\'), rootLength(made)));
    }
    FolderCheck named = walkUp(made);
    if (named.ownership != Ownership::Own) {
        return named;
    }
    const std::wstring resolved = resolvedPath(made);
    if (resolved.empty()) {
        return {Ownership::OtherOwner, win32::utf8(made)};
    }
    return samePath(resolved, made) ? named : walkUp(resolved);
}

namespace win32 {

std::vector<unsigned char> processTokenInformation(int kind) {
    std::vector<unsigned char> buffer;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return buffer;
    }
    const auto information = static_cast<TOKEN_INFORMATION_CLASS>(kind);
    DWORD size = 0;
    GetTokenInformation(token, information, nullptr, 0, &size);
    buffer.resize(size);
    if (size == 0 || !GetTokenInformation(token, information, buffer.data(), size, &size)) {
        buffer.clear();
    }
    CloseHandle(token);
    return buffer;
}

Ownership ownershipOf(void* descriptor) {
    const PSID owner = ownerOf(descriptor);
    if (owner == nullptr || !isUser(owner)) {
        return Ownership::OtherOwner;
    }
    return othersMay(descriptor, ChangingFile) ? Ownership::WritableByOthers : Ownership::Own;
}

Ownership folderOwnershipOf(void* descriptor, WayPlace place) {
    const bool link = place == WayPlace::Link;
    const PSID owner = ownerOf(descriptor);
    if (owner == nullptr || !(isUser(owner) || isSystem(owner))) {
        return link ? Ownership::ForeignLink : Ownership::OtherOwner;
    }
    const ACCESS_MASK forbidden =
        place == WayPlace::Above ? ReplacingInFolder : ReplacingInFolder | AddingToFolder;
    if (othersMay(descriptor, forbidden)) {
        return link ? Ownership::ForeignLink : Ownership::WritableByOthers;
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
