// The file dialog wrapper over the recording substitute: the record it hands
// to the platform (filter, buffers, sizes), what it takes back, and how it
// fails.
#include "common/clFileDialog.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/SubstitutePlatform.h"

using namespace std::string_literals;

namespace {

class FileDialog : public testing::Test {
protected:
    std::u16string Nuls(std::size_t n) { return std::u16string(n, u'\0'); }

    platform::SubstitutePlatform sub;
    platform::ScriptedFileDialogs dialogs;
    clFileDialog dialog{sub.messages, dialogs};
};

TEST_F(FileDialog, ANewDialogHandsOverItsPropertiesAndBuffersOfMaxFileSize) {
    EXPECT_EQ(dialog.MaxFileSize(), 260);
    EXPECT_EQ(dialog.FileName(), "");
    EXPECT_EQ(dialog.Flags(), 0u);
    EXPECT_EQ(dialog.FilterIndex(), 0);
    EXPECT_EQ(dialog.hWndParent(), 0u);
    EXPECT_EQ(clFileDialog::ConvertedFilter(""), "\0\0"s);

    dialog.Filter("A|*.a|B|*.b");
    dialog.FileName("Müller.cmd");
    dialog.FileTitle("M");
    dialog.DialogTitle("ACT!-Benutzerbefehl laden");
    dialog.InitialDir("C:\\Befehle");
    dialog.DefaultExt("cmd");
    dialog.FilterIndex(2);
    dialog.Flags(0x1004);
    dialog.hWndParent(0x4711);
    EXPECT_FALSE(dialog.Show(true)) << "nothing queued: cancelled";

    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_TRUE(dialogs.Calls()[0].open);
    const platform::OpenFileNameRecord& r = dialogs.Calls()[0].record;
    EXPECT_EQ(r.filter, "A\0*.a\0B\0*.b\0\0"s);
    EXPECT_EQ(r.file, u"Müller.cmd" + Nuls(250));
    EXPECT_EQ(r.fileBufferSize, 260u);
    EXPECT_EQ(r.fileTitle, u"M" + Nuls(259));
    EXPECT_EQ(r.fileTitleBufferSize, 260u);
    EXPECT_EQ(r.title, "ACT!-Benutzerbefehl laden");
    EXPECT_EQ(r.initialDir, "C:\\Befehle");
    EXPECT_EQ(r.defaultExt, "cmd");
    EXPECT_EQ(r.filterIndex, 2u);
    EXPECT_EQ(r.flags, 0x1004u);
    EXPECT_EQ(r.owner, 0x4711u);
    EXPECT_EQ(dialog.FileName(), "Müller.cmd") << "a cancel leaves every property as it was";
    EXPECT_TRUE(sub.messages.Shown().empty());
}

TEST_F(FileDialog, AConfirmedDialogGivesThePathAndTheNameWithoutFolder) {
    dialogs.QueueFile("C:\\ACT Zusätze\\Grüße.cmd");
    dialog.FileName("alt.cmd");
    EXPECT_TRUE(dialog.Show(false));
    EXPECT_FALSE(dialogs.Calls()[0].open) << "the save dialog";
    EXPECT_EQ(dialog.FileName(), "C:\\ACT Zusätze\\Grüße.cmd");
    EXPECT_EQ(dialog.FileTitle(), "Grüße.cmd");

    // The dialog failing is no answer: a box titled after the member.
    dialogs.onShow = [](const auto&) { throw AppError(1234, "Dialog defekt"); };
    EXPECT_FALSE(dialog.Show(true));
    EXPECT_EQ(dialog.FileName(), "C:\\ACT Zusätze\\Grüße.cmd");
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0], (platform::MessageBoxRequest{"Error: 1234. Dialog defekt", "Show"}));
}

TEST_F(FileDialog, AMultipleSelectionNeedsBothFlagsAndGivesFolderAndNamesSeparatedByBlanks) {
    dialog.Flags(clFileDialog::kAllowMultiSelect | clFileDialog::kExplorer);
    dialogs.QueueMultiple("C:\\Befehle", {"a.cmd", "b.cmd"});
    ASSERT_TRUE(dialog.Show(true));
    EXPECT_EQ(dialog.FileName(), "C:\\Befehle a.cmd b.cmd");

    dialog.Flags(clFileDialog::kAllowMultiSelect);
    dialogs.QueueMultiple("C:\\Befehle", {"a.cmd", "b.cmd"});
    ASSERT_TRUE(dialog.Show(true));
    EXPECT_EQ(dialog.FileName(), "C:\\Befehle") << "cut at the first NUL, as a single selection";

    EXPECT_EQ(dialog.TrimNulls(u"\0abc\0\0"s, true), "");
    EXPECT_EQ(dialog.TrimNulls(u"\0abc"s, false), "");
    EXPECT_EQ(dialog.TrimNulls(u"C:\\x.cmd\0\0rest"s, true), "C:\\x.cmd");
    EXPECT_EQ(dialog.TrimNulls(u"voll", false), "voll") << "a buffer without NUL is taken whole";
    EXPECT_EQ(dialog.TrimNulls(u"a\0b"s, true), "a b") << "no pair of NULs before the end";
}

TEST_F(FileDialog, ANameLongerThanTheBufferIsRefusedBeforeAnyDialogIsShown) {
    dialog.FileName(std::string(261, 'x'));
    EXPECT_FALSE(dialog.Show(true));
    EXPECT_TRUE(dialogs.Calls().empty());
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text, "Error: 5. Unzulässiger Prozeduraufruf oder unzulässiges Argument");
    EXPECT_EQ(sub.messages.Shown()[0].title, "Show");
    EXPECT_EQ(sub.messages.Shown()[0].icon, platform::MsgIcon::None);

    // Characters are the dialog's: 260 umlauts fit, 130 characters outside the BMP do not.
    std::string umlauts;
    for (int i = 0; i < 260; ++i) umlauts += "ä";
    dialog.FileName(umlauts);
    dialog.Show(true);
    EXPECT_EQ(dialogs.Calls().size(), 1u);
    std::string wide;
    for (int i = 0; i < 131; ++i) wide += "😀";
    dialog.FileName(wide);
    dialog.Show(true);
    EXPECT_EQ(dialogs.Calls().size(), 1u);
    dialog.FileName("");
    dialog.MaxFileSize(-1);
    EXPECT_FALSE(dialog.Show(true));
    EXPECT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(sub.messages.Shown().size(), 3u);
}

TEST_F(FileDialog, AChosenPathThatDoesNotFitTheBufferIsACancel) {
    dialog.MaxFileSize(10);
    dialogs.QueueFile("C:\\sehr\\langer\\Pfad.cmd");
    EXPECT_FALSE(dialog.Show(true));
    EXPECT_EQ(dialog.FileName(), "");
}

}  // namespace
