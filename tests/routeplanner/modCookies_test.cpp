// The cookie clean-up over files in memory: where the folder comes from, the
// walk with its progress and questions, and deletions that fail.
#include "routeplanner/modCookies.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "routeplanner/Rovandel2Fixture.h"

namespace {

namespace c = Rovandel2Controls;
using platform::MsgAnswer;

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";

class CookieTest : public Rovandel2Test {
protected:
    CookieTest() { logic.Form_Load(); }

    void Folder(const std::string& path, const Strings& names) {
        sub.files.AddFolder(path);
        for (const auto& name : names) sub.files.Put(path + "\\" + name, {1, 2, 3});
    }
    void Option(std::string_view value) { store.Put("Rovandel2", "Optionen", "CookiePfad", value); }
    void ShellFolderValue(const std::string& path) {
        platform::RegKey key = 0;
        sub.registry.CreateKey(platform::kHKeyCurrentUser, kShellFolders, platform::kKeyAllAccess, key);
        sub.registry.SetValue(key, "Cookies", platform::kRegSz,
                              {reinterpret_cast<const std::uint8_t*>(path.c_str()), path.size() + 1});
        sub.registry.CloseKey(key);
    }
    Strings ShellCalls() const {
        Strings out;
        for (const auto& call : shell.Calls()) out.push_back(call.what + " " + std::to_string(call.folder));
        return out;
    }
    // The folder search alone: it needs no window beyond the owner of the shell's dialogs.
    std::string FoundFolder() {
        struct NoWindow : modCookies::ICookieWindow {
            void zeigeStatus(std::string_view) override { ADD_FAILURE() << "the search shows nothing"; }
            void aktiviereEingaben(bool) override { ADD_FAILURE() << "the search locks nothing"; }
            void SetProgress(int) override {}
            bool CloseRequested() override { return false; }
        } window;
        return modCookies::CookieOrdner({store, sub.Registry(), sub.files, sub.windows, shell, form.Handle(), window});
    }
    Strings Questions() const {
        Strings out;
        for (const auto& box : sub.messages.Shown()) {
            if (box.buttons == platform::MsgButtons::YesNo) out.push_back(box.text);
        }
        return out;
    }
};

TEST(CookieName, TheRoutePlannersNameInLowerCaseLetterCaseCounting) {
    EXPECT_TRUE(modCookies::IstKandidat("benutzer@fahrtweg[1].txt"));
    EXPECT_TRUE(modCookies::IstKandidat("www.fahrtweg.example.txt"));
    EXPECT_FALSE(modCookies::IstKandidat("benutzer@FAHRTWEG[1].txt"));
    EXPECT_FALSE(modCookies::IstKandidat("benutzer@Fahrtweg[1].txt"));
    EXPECT_FALSE(modCookies::IstKandidat("fahrt weg.txt"));
    EXPECT_EQ(modCookies::Fortschritt(1, 3), 33);
    EXPECT_EQ(modCookies::Fortschritt(2, 3), 67);
    EXPECT_EQ(modCookies::Fortschritt(3, 3), 100);
    EXPECT_EQ(modCookies::Fortschritt(0, 0), 0);
}

TEST_F(CookieTest, TheFolderComesFromTheOptionTheShellTheRegistryOrTheChooserInThisOrder) {
    Folder("C:\\Option", {});
    Folder("C:\\Shell", {});
    Folder("C:\\Registry", {});
    Folder("C:\\Chosen", {});
    shell.SpecialFolderIs(33, "C:\\Shell");
    ShellFolderValue("C:\\Registry");
    shell.ChooserGives("C:\\Chosen\\");

    Option("C:\\Option");
    EXPECT_EQ(FoundFolder(), "C:\\Option");
    EXPECT_TRUE(shell.Calls().empty());

    Option("");
    EXPECT_EQ(FoundFolder(), "C:\\Shell");
    EXPECT_EQ(shell.Calls().back().owner, form.Handle());

    shell.SpecialFolderIs(33, "");
    EXPECT_EQ(FoundFolder(), "C:\\Registry");

    ShellFolderValue("C:\\Nirgends");
    EXPECT_EQ(FoundFolder(), "C:\\Chosen\\");
    EXPECT_EQ(shell.Calls().back().what, "BrowseForFolder");
    EXPECT_EQ(shell.Calls().back().folder, 0);
    EXPECT_EQ(shell.Calls().back().title, "Bitte wählen Sie den Cookie-Ordner aus");
}

TEST_F(CookieTest, AStoredFolderThatHasGoneLeadsStraightToTheChooser) {
    Folder("C:\\Shell", {"a@fahrtweg[1].txt"});
    shell.SpecialFolderIs(33, "C:\\Shell");
    Option("C:\\Weg");
    shell.ChooserGives("");
    logic.imBanner_Click();
    EXPECT_EQ(ShellCalls(), Strings{"BrowseForFolder 0"});
    // Cancelled: nothing else happens, not even the status line.
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_TRUE(form.Lines("progress ").empty());
    EXPECT_TRUE(form.Lines("hourglass ").empty());
    EXPECT_TRUE(store.Writes().empty());
}

TEST_F(CookieTest, OneQuestionPerCandidateOnlyYesDeletesAndTheFolderIsStoredJustBefore) {
    Folder("C:\\Cookies", {"a@fahrtweg[1].txt", "index.dat", "b@fahrtweg[2].txt", "c@FAHRTWEG[1].txt"});
    shell.SpecialFolderIs(33, "C:\\Cookies");
    sub.messages.QueueAnswer(MsgAnswer::No);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    Strings order;
    sub.messages.onShow = [&](const auto&) {
        order.push_back("ask, written " + std::to_string(store.Writes().size()));
    };
    sub.files.onRemove = [&](const std::string& path) {
        order.push_back("delete " + path + ", written " + std::to_string(store.Writes().size()));
    };
    form.log.clear();
    logic.imBanner_Click();

    EXPECT_EQ(Questions(), (Strings{"Soll der Cookie 'a@fahrtweg[1].txt' gelöscht werden?",
                                    "Soll der Cookie 'b@fahrtweg[2].txt' gelöscht werden?"}));
    EXPECT_EQ(sub.messages.Shown().front().icon, platform::MsgIcon::Question);
    EXPECT_EQ(sub.files.Removed(), Strings{"C:\\Cookies\\b@fahrtweg[2].txt"});
    EXPECT_EQ(order, (Strings{"ask, written 0", "ask, written 0", "delete C:\\Cookies\\b@fahrtweg[2].txt, written 1"}));
    EXPECT_EQ(Stored("CookiePfad"), "C:\\Cookies");
    EXPECT_EQ(form.Lines("progress "), (Strings{"25", "50", "75", "100", "0"}));
    EXPECT_EQ(form.Lines("status "), (Strings{"Rovandel2: durchsuche Cookies ...", ""}));
    EXPECT_EQ(form.Lines("hourglass "), (Strings{"1", "0"}));
    EXPECT_EQ(form.log.front(), "status Rovandel2: durchsuche Cookies ...");  // before the window is locked
    // The clean-up does not put the window on top.
    for (const auto& call : sub.windows.Calls()) EXPECT_NE(call.op, platform::MemoryWindowSystem::Op::SetTopmost);
}

TEST_F(CookieTest, ALinkNamedLikeACookieIsNotOfferedAndNotDeleted) {
    Folder("C:\\Cookies", {"link@fahrtweg[3].txt", "echt@fahrtweg[1].txt"});
    sub.files.SetAttributes("C:\\Cookies\\link@fahrtweg[3].txt", platform::kAttributeReparsePoint);
    Option("C:\\Cookies");
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    logic.imBanner_Click();
    EXPECT_EQ(Questions(), Strings{"Soll der Cookie 'echt@fahrtweg[1].txt' gelöscht werden?"});
    EXPECT_EQ(sub.files.Removed(), Strings{"C:\\Cookies\\echt@fahrtweg[1].txt"});
    EXPECT_EQ(form.Lines("progress "), (Strings{"50", "100", "0"})) << "the link still counts as looked at";
}

TEST_F(CookieTest, WithoutCandidatesNothingIsAskedAndAChosenFolderIsNotRemembered) {
    Folder("D:\\Cookies", {"x.txt", "y.txt"});
    shell.ChooserGives("D:\\Cookies\\");
    logic.imBanner_Click();
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_EQ(form.Lines("progress "), (Strings{"50", "100", "0"}));
    EXPECT_TRUE(store.Writes().empty());
}

TEST_F(CookieTest, AReadOnlyOrLockedCookieIsReportedWithItsNameAndReasonAndTheWalkGoesOn) {
    Folder("C:\\Cookies", {"a@fahrtweg[1].txt", "b@fahrtweg[1].txt", "c@fahrtweg[1].txt"});
    sub.files.SetAttributes("C:\\Cookies\\a@fahrtweg[1].txt", platform::kAttributeReadOnly);
    sub.files.onRemove = [](const std::string& path) {
        if (path.ends_with("b@fahrtweg[1].txt")) {
            throw AppError(ErrorNumber::PermissionDenied, "Die Datei wird gerade von einem anderen Programm benutzt.");
        }
    };
    Option("C:\\Cookies");
    for (int i = 0; i < 3; ++i) sub.messages.QueueAnswer(MsgAnswer::Yes);
    logic.imBanner_Click();
    EXPECT_EQ(sub.files.Removed(), Strings{"C:\\Cookies\\c@fahrtweg[1].txt"});
    EXPECT_TRUE(sub.files.Exists("C:\\Cookies\\a@fahrtweg[1].txt"));
    Strings reports;
    for (const auto& box : sub.messages.Shown()) {
        if (box.buttons == platform::MsgButtons::Ok) {
            EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
            reports.push_back(box.text);
        }
    }
    EXPECT_EQ(reports, (Strings{"Der Cookie 'a@fahrtweg[1].txt' konnte nicht gelöscht werden.\r\n"
                                "Die Datei ist schreibgeschützt.",
                                "Der Cookie 'b@fahrtweg[1].txt' konnte nicht gelöscht werden.\r\n"
                                "Die Datei wird gerade von einem anderen Programm benutzt."}));
    EXPECT_EQ(Questions().size(), 3u);
    EXPECT_EQ(form.Lines("hourglass ").back(), "0");
}

TEST_F(CookieTest, SubFoldersAreNotEnteredAndThousandsOfFilesWithUmlautsAreWalked) {
    Strings names;
    for (int i = 0; i < 3000; ++i) names.push_back("müller" + std::to_string(i) + ".txt");
    names.push_back("jürgen@fahrtweg[1].txt");
    Folder("C:\\Cookies", names);
    Folder("C:\\Cookies\\Unterordner", {"tief@fahrtweg[1].txt"});
    Option("C:\\Cookies\\");
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    logic.imBanner_Click();
    EXPECT_EQ(Questions(), Strings{"Soll der Cookie 'jürgen@fahrtweg[1].txt' gelöscht werden?"});
    EXPECT_EQ(sub.files.Removed(), Strings{"C:\\Cookies\\jürgen@fahrtweg[1].txt"});
    EXPECT_EQ(form.Lines("progress ").size(), 3002u);
    EXPECT_EQ(form.Lines("progress ").rbegin()[1], "100");
    EXPECT_TRUE(sub.files.Exists("C:\\Cookies\\Unterordner\\tief@fahrtweg[1].txt"));
}

TEST_F(CookieTest, AFolderThatCannotBeReadIsReportedAndTheWindowIsNotLocked) {
    Folder("C:\\Cookies", {});
    Option("C:\\Cookies");
    // A folder that exists but whose listing fails: through a file system that refuses it.
    class Refusing : public platform::MemoryFileSystem {
    public:
        std::vector<platform::FileEntry> ListFiles(std::string_view) override { Raise(ErrorNumber::PermissionDenied); }
    } refusing;
    refusing.AddFolder("C:\\Cookies");
    RecordingRovandel2 other;
    clRovandel2 window({sub.windows,
                        {sub.registry, sub.text, sub.messages},
                        refusing,
                        store,
                        shell,
                        link,
                        "Rovandel2",
                        browsers,
                        launcher,
                        clock},
                       other);
    window.Form_Load();
    other.log.clear();
    window.imBanner_Click();
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(BoxTexts().front(), "Der Cookie-Ordner konnte nicht gelesen werden: C:\\Cookies\r\nZugriff verweigert");
    EXPECT_TRUE(other.Lines("hourglass ").empty());
}

TEST_F(CookieTest, ClosingTheWindowDuringTheWalkStopsItAndThenCloses) {
    Folder("C:\\Cookies", {"a@fahrtweg[1].txt", "b@fahrtweg[1].txt", "c@fahrtweg[1].txt"});
    Option("C:\\Cookies");
    int events = 0;
    sub.windows.onDoEvents = [&] {
        if (++events == 2) form.Close();  // after the lock, at the first file
    };
    logic.imBanner_Click();
    EXPECT_TRUE(Questions().empty());
    EXPECT_TRUE(form.closed);
    EXPECT_EQ(form.Lines("hourglass ").back(), "0");
    EXPECT_EQ(Stored("station[0].city"), "Göttingen");
}

}  // namespace
