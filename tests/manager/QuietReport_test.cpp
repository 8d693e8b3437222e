// What an unattended run leaves in its setup's log.
#include "manager/QuietReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/UiTexts.h"

namespace {

TEST(QuietReport, EveryFailureSaysWhyOnOneLineAndOnlyOnce) {
    std::vector<std::string> lines;
    const auto print = [&lines](std::string_view line) { lines.emplace_back(line); };

    // A box becomes one line; its answer is the first button's.
    QuietReport boxes(print);
    EXPECT_EQ(boxes.Show({"Fehler in Klasse clCustomTessivars Methode Add\r\nDie Datei x.cmd\r\n\r\nist kaputt.",
                          "Tessivar", platform::MsgIcon::Exclamation, platform::MsgButtons::YesNo}),
              platform::MsgAnswer::Yes);
    boxes.End(1, "nie");
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Tessivar: Fehler in Klasse clCustomTessivars Methode Add Die Datei x.cmd ist kaputt.\r\n"}));

    // A failure without a box: the window's last text; without that, the reason given.
    lines.clear();
    QuietReport window(print);
    window.Window().Show("Das ACT!-Addon 'Route' wird eingebunden …");
    window.Window().SetInfo("Das ACT!-Addon 'Route' konnte nicht eingebunden werden.");
    window.End(1);
    QuietReport refused(print);
    refused.End(2, texts::kQuitActFirst);
    QuietReport fine(print);
    fine.End(0, "nie");
    EXPECT_EQ(lines, (std::vector<std::string>{"Tessivar: Das ACT!-Addon 'Route' konnte nicht eingebunden werden.\r\n",
                                               "Tessivar: Bitte beenden Sie zuvor ACT!\r\n"}));
}

}  // namespace
