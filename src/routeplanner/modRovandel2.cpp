#include "routeplanner/modRovandel2.h"

#include "base/ErrorText.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"

namespace modRovandel2 {
namespace {

void Refuse(const platform::Platform& env, std::string_view text) {
    platform::MessageBoxRequest box;
    box.text = std::string(text);
    box.title = env.programTitle;
    box.icon = platform::MsgIcon::Exclamation;
    box.buttons = platform::MsgButtons::Ok;
    box.modality = platform::MsgModality::System;
    env.messages.Show(box);
}

}  // namespace

Start Main(const platform::Platform& env, platform::IAutomation& automation, platform::ILocale& locale,
           Programm& programm) {
    programm.ACTApp =
        std::make_unique<clACTApplication>(env, automation, locale, clACTApplication::Build::RoutePlanner);
    const Start start = Pruefe(env, *programm.ACTApp);
    if (start == Start::Fenster) programm.Programmname = std::string(texts::kRovandelTitle);
    return start;
}

Start Pruefe(const platform::Platform& env, clACTApplication& link) {
    try {
        if (!link.ACTgestartet()) {
            Refuse(env, texts::kRovStartActFirst);
            return Start::Abgelehnt;
        }
        if (link.ACTDatenbank().empty()) {
            Refuse(env, texts::kRovOpenDatabaseFirst);
            return Start::Abgelehnt;
        }
    } catch (...) {
        // ACT!'s window is there but its automation object failed: the
        // program cannot work, and says why instead of stopping.
        MeldeFehler(env, "Main");
        return Start::Fehler;
    }
    return Start::Fenster;
}

void MeldeFehler(const platform::Platform& env, std::string_view routine) {
    const std::string text = errortext::Report(std::string(texts::kErrorIn) + std::string(routine), CurrentError());
    modMessages::MsgBox(env, text, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

}  // namespace modRovandel2
