// Only the user's own files are used on Windows: owned by the user's SID, and an access list that
// lets no other account write. Files Opalist writes are kept to the user alone. Wine keeps of a
// file's security only what Unix permissions hold, so the rule itself is tested on descriptors
// in memory, and on files only as far as Wine keeps them.

// windows.h first: aclapi.h and sddl.h build on its definitions.
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/file_ownership.h"
#include "platform/file_ownership_win32.h"
#include "platform/others_can_change.h"
#include "platform/text_file.h"
#include "platform/win32_text.h"
#include "support/temp_dir.h"

namespace {

using platform::Ownership;

// The user running the tests, as an SDDL SID string.
std::wstring userSidText() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    std::vector<BYTE> buffer(256);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size);
    CloseHandle(token);
    wchar_t* text = nullptr;
    ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text);
    std::wstring result(text);
    LocalFree(text);
    return result;
}

// "USER" in an SDDL text stands for the user running the tests.
std::wstring withUser(std::wstring sddl) {
    const std::wstring user = userSidText();
    for (std::size_t at = sddl.find(L"USER"); at != std::wstring::npos; at = sddl.find(L"USER")) {
        sddl.replace(at, 4, user);
    }
    return sddl;
}

// A security descriptor made from SDDL text, freed with the object.
class Descriptor {
  public:
    explicit Descriptor(const std::wstring& sddl) {
        ConvertStringSecurityDescriptorToSecurityDescriptorW(
            withUser(sddl).c_str(), SDDL_REVISION_1, &descriptor_, nullptr);
    }
    ~Descriptor() { LocalFree(descriptor_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    PSECURITY_DESCRIPTOR get() const { return descriptor_; }

  private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

TEST(FileOwnership, TheOwnerAndWhoMayWrite) {
    struct Case {
        const wchar_t* sddl;
        Ownership expected;
    };
    // FA: full access, FW: write, FR: read; WD: Everyone, BU: Users, BA: Administrators,
    // SY: the system, OW: the owner's rights; IO: inherit only (for files made in a folder).
    const std::vector<Case> cases = {
        {L"O:USERD:P(A;;FA;;;USER)", Ownership::Own},
        {L"O:USERD:(A;;FA;;;SY)(A;;FA;;;USER)(A;;FA;;;BA)(A;;FR;;;WD)", Ownership::Own},
        {L"O:USERD:P(A;;FA;;;USER)(A;;FA;;;OW)(A;OIIO;FA;;;WD)", Ownership::Own},
        {L"O:USERD:P(A;;FA;;;USER)(D;;FA;;;WD)", Ownership::Own},
        {L"O:USERD:P(A;;FA;;;USER)(A;;FW;;;WD)", Ownership::WritableByOthers},
        {L"O:USERD:P(A;;FA;;;USER)(A;;0x2;;;BU)", Ownership::WritableByOthers},  // write data
        {L"O:USERD:P(A;;FA;;;USER)(A;;0x4;;;BU)", Ownership::WritableByOthers},  // append data
        {L"O:USERD:P(A;;FA;;;USER)(A;;WD;;;BU)", Ownership::WritableByOthers},   // change the list
        {L"O:USERD:P(A;;FA;;;USER)(A;;GA;;;BU)", Ownership::WritableByOthers},
        {L"O:USERD:P(A;;FA;;;USER)(A;;SD;;;BU)", Ownership::WritableByOthers},  // rename it away
        {L"O:USERD:P(A;;FA;;;USER)(A;;FA;;;S-1-5-21-1-2-3-1001)", Ownership::WritableByOthers},
        {L"O:BAD:P(A;;FA;;;USER)", Ownership::OtherOwner},
        {L"O:S-1-5-21-1-2-3-1001D:P(A;;FA;;;USER)", Ownership::OtherOwner},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(platform::win32::utf8(c.sddl));
        const Descriptor descriptor(c.sddl);
        ASSERT_NE(descriptor.get(), nullptr);
        EXPECT_EQ(platform::win32::ownershipOf(descriptor.get()), c.expected);
    }
}

// A descriptor without an access list lets everyone do everything.
TEST(FileOwnership, NoAccessListLetsEveryoneWrite) {
    const Descriptor own(L"O:USERD:P(A;;FA;;;USER)");
    PSID user = nullptr;
    BOOL defaulted = FALSE;
    ASSERT_TRUE(GetSecurityDescriptorOwner(own.get(), &user, &defaulted));
    SECURITY_DESCRIPTOR open{};
    InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorOwner(&open, user, FALSE);
    SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
    EXPECT_EQ(platform::win32::ownershipOf(&open), Ownership::WritableByOthers);
    EXPECT_EQ(platform::win32::folderOwnershipOf(&open, platform::win32::WayPlace::Above),
              Ownership::WritableByOthers);
}

// Accounts of the tables: TrustedInstaller, the owner of the system's folders, and another user.
#define INSTALLER L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"
#define OTHER L"S-1-5-21-1-2-3-1001"

// A folder may belong to the system, and others may add to a folder the way passes through, but
// nobody else may remove or rename a folder on the way or what it holds, nor add to the folder
// at its end, nor redirect a link.
TEST(FileOwnership, TheFoldersOnTheWay) {
    using platform::win32::WayPlace;
    struct Case {
        WayPlace place;
        const wchar_t* sddl;
        Ownership expected;
    };
    // SD: delete, 0x40: delete what it holds, WO: change the owner, GW/GA: generic write/all;
    // 0x4: add a folder, 0x100: write attributes, 0x1200a9: read and run, 0x1301bf: modify;
    // AU: Authenticated Users, CO: the creator of what is made in it; ID: inherited.
    const wchar_t* const driveRoot =
        L"O:" INSTALLER L"D:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)"
        L"(A;OICIIO;SDGXGWGR;;;AU)(A;;0x4;;;AU)";
    const wchar_t* const programFiles =
        L"O:" INSTALLER L"D:PAI(A;;FA;;;" INSTALLER L")(A;CIIO;GA;;;" INSTALLER
        L")(A;;0x1301bf;;;SY)(A;OICIIO;GA;;;SY)(A;;0x1301bf;;;BA)(A;OICIIO;GA;;;BA)"
        L"(A;;0x1200a9;;;BU)(A;OICIIO;GXGR;;;BU)(A;OICIIO;GA;;;CO)";
    const wchar_t* const underDriveRoot =  // a folder made in it inherits this
        L"D:AI(A;OICIID;FA;;;BA)(A;OICIID;FA;;;SY)(A;OICIID;0x1200a9;;;BU)(A;ID;0x1301bf;;;AU)"
        L"(A;OICIIOID;SDGXGWGR;;;AU)";
    const std::wstring madeByOther = std::wstring(L"O:" OTHER) + underDriveRoot;
    const std::wstring madeByUser = std::wstring(L"O:USER") + underDriveRoot;
    const wchar_t* const dataForAll =  // users may add to it, not remove
        L"O:SYD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICIIO;GA;;;CO)(A;OICI;0x1200a9;;;BU)"
        L"(A;CI;0x116;;;BU)";
    const std::vector<Case> cases = {
        {WayPlace::Above, driveRoot, Ownership::Own},
        {WayPlace::End, driveRoot, Ownership::WritableByOthers},
        {WayPlace::Above,
         L"O:SYD:PAI(A;OICIIO;GA;;;SY)(A;;FA;;;SY)(A;OICIIO;GA;;;BA)(A;;FA;;;BA)"
         L"(A;;0x1200a9;;;BU)(A;OICIIO;GXGR;;;BU)(A;;0x1200a9;;;WD)(A;OICIIO;GXGR;;;WD)",
         Ownership::Own},  // C:\Users
        {WayPlace::End, L"O:USERD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;USER)",
         Ownership::Own},  // the profile and its application data
        {WayPlace::End, programFiles, Ownership::Own},
        {WayPlace::Above, madeByOther.c_str(), Ownership::OtherOwner},
        {WayPlace::End, madeByUser.c_str(), Ownership::WritableByOthers},
        {WayPlace::Above, madeByUser.c_str(), Ownership::WritableByOthers},
        {WayPlace::Above, dataForAll, Ownership::Own},
        {WayPlace::End, dataForAll, Ownership::WritableByOthers},
        {WayPlace::End, L"O:BAD:P(A;;FA;;;USER)(A;;FA;;;BA)", Ownership::Own},
        {WayPlace::End, L"O:" OTHER L"D:P(A;;FA;;;USER)", Ownership::OtherOwner},
        {WayPlace::Above, L"O:USERD:P(A;;FA;;;USER)(A;;SD;;;WD)", Ownership::WritableByOthers},
        {WayPlace::Above, L"O:USERD:P(A;;FA;;;USER)(A;;0x40;;;BU)", Ownership::WritableByOthers},
        {WayPlace::Above, L"O:USERD:P(A;;FA;;;USER)(A;;WO;;;BU)", Ownership::WritableByOthers},
        {WayPlace::Above, L"O:USERD:P(A;;FA;;;USER)(A;;GA;;;BU)", Ownership::WritableByOthers},
        {WayPlace::Above, L"O:USERD:P(A;;FA;;;USER)(A;;GW;;;BU)", Ownership::Own},
        {WayPlace::End, L"O:USERD:P(A;;FA;;;USER)(A;;GW;;;BU)", Ownership::WritableByOthers},
        {WayPlace::End, L"O:USERD:P(A;;FA;;;USER)(A;OICIIO;FA;;;WD)(D;;FA;;;WD)", Ownership::Own},
        {WayPlace::Link, L"O:" OTHER L"D:P(A;;FA;;;USER)", Ownership::ForeignLink},
        {WayPlace::Link, L"O:USERD:P(A;;FA;;;USER)(A;;0x100;;;WD)", Ownership::ForeignLink},
        {WayPlace::Above, L"O:USERD:P(A;;FA;;;USER)(A;;0x100;;;WD)", Ownership::Own},
        {WayPlace::Link, L"O:SYD:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x1200a9;;;WD)", Ownership::Own},
    };
    for (const Case& c : cases) {
        const char* const places[] = {"above", "end", "link"};
        SCOPED_TRACE(platform::win32::utf8(c.sddl) + " " + places[static_cast<int>(c.place)]);
        const Descriptor descriptor(c.sddl);
        ASSERT_NE(descriptor.get(), nullptr);
        EXPECT_EQ(platform::win32::folderOwnershipOf(descriptor.get(), c.place), c.expected);
    }
}

// Lets everyone write the file or folder, and what is made in the folder, as far as the file
// system keeps it (Wine keeps what Unix permission bits can hold: the file's own "others" bits).
void letEveryoneWrite(const std::string& path) {
    const Descriptor descriptor(L"D:(A;OICI;FA;;;USER)(A;OICI;FA;;;WD)");
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL access = nullptr;
    GetSecurityDescriptorDacl(descriptor.get(), &present, &access, &defaulted);
    const std::wstring name = platform::win32::wide(path);
    ASSERT_EQ(SetNamedSecurityInfoW(const_cast<wchar_t*>(name.c_str()), SE_FILE_OBJECT,
                                    DACL_SECURITY_INFORMATION, nullptr, nullptr, access, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
}

// Every write leaves the file to the user alone, also where its folder passes on write access
// to everyone and the file it replaces let everyone in.
TEST(FileOwnership, WrittenFilesAreTheUsersAlone) {
    testing_support::TempDir dir;
    letEveryoneWrite(dir.path().string());
    const std::string path = dir.file("opalist test.ini");
    EXPECT_EQ(platform::checkFile(path).ownership, Ownership::Missing);
    ASSERT_TRUE(platform::replaceFile(path, {"<01100>"}).ok);
    EXPECT_EQ(platform::checkFile(path).ownership, Ownership::Own);

    letEveryoneWrite(path);
    EXPECT_EQ(platform::checkFile(path).ownership, Ownership::WritableByOthers);
    ASSERT_TRUE(platform::replaceFile(path, {"<01100>", "10"}).ok);
    EXPECT_EQ(platform::checkFile(path).ownership, Ownership::Own);
}

// What --check warns of: a program another account may write, or one in a folder where another
// account may put a file in its place; the user's own program in the user's folder is no worry.
TEST(FileOwnership, OthersCanChangeAProgramTheyMayWriteOrReplace) {
    testing_support::TempDir dir;
    const std::string own = dir.file("own.exe");
    std::ofstream(own) << "MZ";
    EXPECT_FALSE(platform::othersCanChange(own));
    letEveryoneWrite(own);
    EXPECT_TRUE(platform::othersCanChange(own));

    const std::filesystem::path shared = dir.path() / "shared";
    std::filesystem::create_directory(shared);
    letEveryoneWrite(shared.string());
    const std::string inShared = (shared / "tool.exe").string();
    std::ofstream(inShared) << "MZ";
    ASSERT_EQ(platform::win32::keepToUser(platform::win32::wide(inShared)), 0UL);
    EXPECT_TRUE(platform::othersCanChange(inShared));
}

// The way judged on real folders, as far as Wine keeps their security: the first folder from
// the end that fails is named, and a part not made yet is left out.
TEST(FileOwnership, TheWayToAFolder) {
    struct Case {
        const char* folder;  // under a temporary folder; "/" as well as "\\" separates
        const char* openToAll;
        Ownership expected;
        const char* named;
        const char* prefix = "";  // "\\?\": a long path, taken as it is written
    };
    const std::vector<Case> cases = {
        {"files", nullptr, Ownership::Own, nullptr},
        {"files\\not made\\yet", nullptr, Ownership::Own, nullptr},
        {"files", "files", Ownership::WritableByOthers, "files"},
        {"shared\\files", "shared", Ownership::WritableByOthers, "shared"},
        {"shared/files/", "shared", Ownership::WritableByOthers, "shared"},
        {"shared\\not made", "shared", Ownership::WritableByOthers, "shared"},
        {"files", nullptr, Ownership::Own, nullptr, "\\\\?\\"},
        {"shared\\files", "shared", Ownership::WritableByOthers, "shared", "\\\\?\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.prefix) + c.folder);
        testing_support::TempDir dir;
        std::filesystem::create_directories(dir.path() / "files");
        std::filesystem::create_directories(dir.path() / "shared" / "files");
        if (c.openToAll != nullptr) {
            letEveryoneWrite(dir.file(c.openToAll));
        }
        const platform::FolderCheck check = platform::checkFolderWay(c.prefix + dir.file(c.folder));
        EXPECT_EQ(check.ownership, c.expected);
        EXPECT_EQ(check.folder, c.named == nullptr ? std::string() : c.prefix + dir.file(c.named));
    }
}

// A second name for the same file (a hard link) could be another user's way to the user's file.
TEST(FileOwnership, AFileWithASecondName) {
    testing_support::TempDir dir;
    const std::string path = dir.file("opalist test.ini");
    ASSERT_TRUE(platform::replaceFile(path, {"<01100>"}).ok);
    const platform::FileCheck own = platform::checkFile(path);
    EXPECT_EQ(own.ownership, Ownership::Own);
    EXPECT_NE(own.modified, 0);
    ASSERT_TRUE(CreateHardLinkW(platform::win32::wide(dir.file("other.ini")).c_str(),
                                platform::win32::wide(path).c_str(), nullptr));
    EXPECT_EQ(platform::checkFile(path).ownership, Ownership::SeveralNames);
}

}  // namespace
