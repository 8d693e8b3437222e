#include "routeplanner/modCookies.h"

#include <vector>

#include "base/AppError.h"
#include "base/ScopeExit.h"
#include "base/UiTexts.h"
#include "base/Utf8.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"
#include "routeplanner/clRovandel2.h"
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

std::string CookieOrdner(clRovandel2& fenster) {
    const platform::Platform& env = fenster.Env();
    const platform::WindowHandle owner = fenster.Form().Handle();
    std::string p = modOptionen::Lesen(fenster.Settings(), modOptionen::kCookiePfad, "");
    if (p.empty()) p = fenster.Shell().GetSpecialFolder(platform::kFolderCookies, owner);
    if (p.empty()) {
        const RegistryValue value =
            modRegistry::RegistryGetKeyValue(env, modRegistry::HKeyCurrentUser, kShellFoldersKey, kShellFoldersValue);
        if (value.IsText()) p = value.ToText();
    }
    if (p.empty() || !env.files.FolderExists(p)) {
        p = fenster.Shell().BrowseForFolder(platform::kFolderDesktop, owner, texts::kRovChooseCookieFolder);
        if (!env.files.FolderExists(p)) return {};
    }
    return p;
}

namespace {

void Melde(clRovandel2& fenster, const std::string& text) {
    modMessages::MsgBox(fenster.Env(), text, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

void Loeschen(clRovandel2& fenster, const std::string& p, const std::string& name) {
    std::string question(texts::kRovDeleteCookie1);
    question += name;
    question += texts::kRovDeleteCookie2;
    if (modMessages::MsgBox(fenster.Env(), question, platform::MsgIcon::Question, platform::MsgButtons::YesNo) !=
        platform::MsgAnswer::Yes) {
        return;
    }
    modOptionen::Schreiben(fenster.Settings(), modOptionen::kCookiePfad, p);
    try {
        fenster.Env().files.RemoveFile(platform::JoinPath(p, name));
    } catch (const AppError& e) {
        // The walk goes on with the next file.
        Melde(fenster, std::string(texts::kRovCookieNotDeleted1) + name + std::string(texts::kRovCookieNotDeleted2) +
                           std::string(texts::kCrLf) + e.description());
    }
}

}  // namespace

void Bereinigen(clRovandel2& fenster) {
    const std::string p = CookieOrdner(fenster);
    if (p.empty()) return;
    const platform::Platform& env = fenster.Env();
    std::vector<platform::FileEntry> files;
    try {
        files = env.files.ListFiles(p);
    } catch (const AppError& e) {
        Melde(fenster, std::string(texts::kRovCookieFolderUnreadable) + p + std::string(texts::kCrLf) + e.description());
        return;
    }
    fenster.zeigeStatus(texts::kRovSearchingCookies);
    fenster.aktiviereEingaben(false);
    ScopeExit restore([&fenster] {
        fenster.aktiviereEingaben(true);
        fenster.Form().SetProgress(0);
        fenster.zeigeStatus("");
    });
    std::size_t count = 0;
    for (const platform::FileEntry& file : files) {
        fenster.Form().SetProgress(Fortschritt(++count, files.size()));
        env.windows.DoEvents();
        // The user closed the window meanwhile: it closes once the walk has stopped.
        if (fenster.SchliessenAngefragt()) break;
        // A link may lead out of the folder, and deleting it may delete
        // what it leads to: only ordinary files are offered.
        if ((file.attributes & platform::kAttributeReparsePoint) != 0) continue;
        if (IstKandidat(file.name)) Loeschen(fenster, p, file.name);
    }
    restore.RunNow();
}

}  // namespace modCookies
