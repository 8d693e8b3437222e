#include "routeplanner/modCookies.h"

#include <vector>

#include "base/AppError.h"
#include "base/ScopeExit.h"
#include "base/UiTexts.h"
#include "base/Utf8.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"
#include "routeplanner/modOptionen.h"

namespace modCookies {

bool IstKandidat(std::string_view Dateiname) {
    static const std::string filter = utf8::ToLower(texts::kAnbietername);
    return Dateiname.find(filter) != std::string_view::npos;
}

int Fortschritt(std::size_t count, std::size_t total) {
    if (total == 0) return 0;
    return static_cast<int>((count * 200 + total) / (2 * total));
}

std::string CookieOrdner(const Context& context) {
    const platform::WindowHandle owner = context.owner;
    std::string p = modOptionen::CookiePfad(context.settings);
    if (p.empty()) p = context.shellFolders.GetSpecialFolder(platform::kFolderCookies, owner);
    if (p.empty()) {
        const RegistryValue value = modRegistry::RegistryGetKeyValue(context.registry, modRegistry::HKeyCurrentUser,
                                                                     kShellFoldersKey, kShellFoldersValue);
        if (value.IsText()) p = value.ToText();
    }
    if (p.empty() || !context.files.FolderExists(p)) {
        p = context.shellFolders.BrowseForFolder(platform::kFolderDesktop, owner, texts::kRovChooseCookieFolder);
        if (!context.files.FolderExists(p)) return {};
    }
    return p;
}

namespace {

void Report(const Context& context, const std::string& text) {
    modMessages::MsgBox(context.registry.boxes, text, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

void Delete(const Context& context, const std::string& p, const std::string& name) {
    std::string question(texts::kRovDeleteCookie1);
    question += name;
    question += texts::kRovDeleteCookie2;
    if (modMessages::MsgBox(context.registry.boxes, question, platform::MsgIcon::Question,
                            platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes) {
        return;
    }
    modOptionen::SetCookiePfad(context.settings, p);
    try {
        context.files.RemoveFile(platform::JoinPath(p, name));
    } catch (const AppError& e) {
        // The walk goes on with the next file.
        Report(context, std::string(texts::kRovCookieNotDeleted1) + name + std::string(texts::kRovCookieNotDeleted2) +
                            std::string(texts::kCrLf) + e.description());
    }
}

}  // namespace

void Bereinigen(const Context& context) {
    const std::string p = CookieOrdner(context);
    if (p.empty()) return;
    ICookieWindow& window = context.window;
    std::vector<platform::FileEntry> files;
    try {
        files = context.files.ListFiles(p);
    } catch (const AppError& e) {
        Report(context,
               std::string(texts::kRovCookieFolderUnreadable) + p + std::string(texts::kCrLf) + e.description());
        return;
    }
    window.zeigeStatus(texts::kRovSearchingCookies);
    window.aktiviereEingaben(false);
    ScopeExit restore([&window] {
        window.aktiviereEingaben(true);
        window.SetProgress(0);
        window.zeigeStatus("");
    });
    std::size_t count = 0;
    for (const platform::FileEntry& file : files) {
        window.SetProgress(Fortschritt(++count, files.size()));
        context.windows.DoEvents();
        // The user closed the window meanwhile: it closes once the walk has stopped.
        if (window.CloseRequested()) break;
        // A link may lead out of the folder, and deleting it may delete
        // what it leads to: only ordinary files are offered.
        if ((file.attributes & platform::kAttributeReparsePoint) != 0) continue;
        if (IstKandidat(file.name)) Delete(context, p, file.name);
    }
    restore.RunNow();
}

}  // namespace modCookies
