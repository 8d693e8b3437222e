#include "routeplanner/modRovandel2.h"

#include "base/ErrorText.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"

namespace modRovandel2 {
namespace {

void Refuse(platform::IMessageBoxes& boxes, std::string_view text) {
    platform::MessageBoxRequest box;
    box.text = std::string(text);
    box.icon = platform::MsgIcon::Exclamation;
    box.buttons = platform::MsgButtons::Ok;
    box.modality = platform::MsgModality::System;
    boxes.Show(box);
}

}  // namespace

Start Main(const clACTApplication::Services& link, Programm& programm) {
    programm.ACTApp = std::make_unique<clACTApplication>(link, clACTApplication::Build::RoutePlanner);
    const Start start = Pruefe(link.boxes, *programm.ACTApp);
    if (start == Start::Fenster) programm.Programmname = std::string(texts::kRovandelTitle);
    return start;
}

Start Pruefe(platform::IMessageBoxes& boxes, clACTApplication& link) {
    try {
        if (!link.ACTgestartet()) {
            Refuse(boxes, texts::kRovStartActFirst);
            return Start::Abgelehnt;
        }
        if (link.ACTDatenbank().empty()) {
            Refuse(boxes, texts::kRovOpenDatabaseFirst);
            return Start::Abgelehnt;
        }
    } catch (const std::exception& e) {
        // ACT!'s window is there but its automation object failed: the
        // program cannot work, and says why instead of stopping.
        MeldeFehler(boxes, "Main", ErrorOf(e));
        return Start::Fehler;
    }
    return Start::Fenster;
}

void MeldeFehler(platform::IMessageBoxes& boxes, std::string_view routine, const AppError& error) {
    const std::string text = errortext::Report(std::string(texts::kErrorIn) + std::string(routine), error);
    modMessages::MsgBox(boxes, text, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

}  // namespace modRovandel2
