#include "manager/ChangeRecord.h"

#include "base/AppError.h"
#include "base/ScopeExit.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"
#include "manager/ConfigurationChange.h"

namespace {

constexpr std::string_view kMark = "Tessivar: Änderung der ACT!-Konfiguration läuft";
constexpr std::string_view kBefore = "Vorher=";
constexpr std::string_view kPartSuffix = ".teil";
constexpr std::size_t kMaxRecordBytes = 4096;

std::string FileName(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string Contents(std::string_view backup) {
    std::string text(kMark);
    text += "\r\n";
    text += kBefore;
    text += FileName(backup);
    text += "\r\n";
    return text;
}

// The backup's name from a mark's text; "" for text that is not a mark.
std::string BackupNamed(std::string_view text) {
    const std::string head = std::string(kMark) + "\r\n" + std::string(kBefore);
    if (!text.starts_with(head) || !text.ends_with("\r\n")) return {};
    const std::string_view name = text.substr(head.size(), text.size() - head.size() - 2);
    if (!modBackup::EntryOf("", name)) return {};
    return std::string(name);
}

void Say(const modRegistry::Access& registry, const std::string& text, platform::MsgIcon icon) {
    modMessages::MsgBox(registry.boxes, text, icon);
}

}  // namespace

ChangeRecord::ChangeRecord(platform::IFileSystem& files, platform::IRegistry& registry, platform::ITextCodec& text,
                           std::string repairCommand)
    : m_Files(files), m_Registry(registry), m_Text(text), m_RepairCommand(std::move(repairCommand)) {}

void ChangeRecord::Open(std::string_view folder, std::string_view backup) {
    const std::string path = platform::JoinPath(folder, kFileName);
    const std::string part = path + std::string(kPartSuffix);
    bool named = false;
    ScopeExit dropPart([&] {
        if (!named) m_Files.RemoveFile(part);
    });
    {
        const std::string text = Contents(backup);
        const auto file = m_Files.OpenWrite(part);
        file->Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        file->Flush();
    }
    m_Files.Rename(part, path);
    named = true;
    m_Folder = std::string(folder);
    WriteRunOnce();
}

void ChangeRecord::WriteRunOnce() {
    // A program path the code page cannot hold gets no logon entry; the
    // next start of Tessivar still repairs.
    if (m_RepairCommand.empty() || m_Text.FromCodePage(m_Text.ToCodePage(m_RepairCommand)) != m_RepairCommand) return;
    platform::RegKey raw = 0;
    if (m_Registry.CreateKey(platform::kHKeyCurrentUser, m_Text.ToCodePage(kRunOnceKey), platform::kKeyAllAccess,
                             raw) != platform::kErrorSuccess) {
        return;
    }
    const platform::RegistryKey key = platform::OwnKey(m_Registry, raw);
    std::string data = m_Text.ToCodePage(m_RepairCommand);
    data.push_back('\0');
    m_Registry.SetValue(key.get(), kRunOnceName, platform::kRegSz,
                        {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()});
}

void ChangeRecord::Close() {
    if (!IsOpen()) return;
    const std::string folder = std::move(m_Folder);
    m_Folder.clear();
    Forget(folder);
}

void ChangeRecord::Forget(std::string_view folder) {
    // The mark first: a logon entry left without it repairs nothing.
    const std::string path = platform::JoinPath(folder, kFileName);
    if (m_Files.Exists(path)) {
        try {
            m_Files.RemoveFile(path);
        } catch (const AppError&) {
            // A mark that stays (a scanner holding it) must not undo a
            // finished change at the next start: emptied, it marks nothing.
            m_Files.OpenWrite(path)->Flush();
        }
    }
    platform::RegKey raw = 0;
    if (m_Registry.OpenKey(platform::kHKeyCurrentUser, m_Text.ToCodePage(kRunOnceKey), platform::kKeyAllAccess, raw) ==
        platform::kErrorSuccess) {
        const platform::RegistryKey key = platform::OwnKey(m_Registry, raw);
        m_Registry.DeleteValue(key.get(), kRunOnceName);
    }
}

std::optional<std::string> ChangeRecord::Unfinished(std::string_view folder) {
    if (folder.empty()) return std::nullopt;
    const std::string path = platform::JoinPath(folder, kFileName);
    if (!m_Files.Exists(path)) return std::nullopt;
    std::string text(kMaxRecordBytes, '\0');
    try {
        const auto file = m_Files.OpenRead(path);
        text.resize(file->Read({reinterpret_cast<std::uint8_t*>(text.data()), text.size()}));
    } catch (const AppError&) {
        return std::string();
    }
    // A mark is renamed into place whole: an empty one is one that could
    // not be deleted when its change ended.
    if (text.empty()) return std::nullopt;
    const std::string name = BackupNamed(text);
    return name.empty() ? name : platform::JoinPath(folder, name);
}

bool RepairUnfinished(const modRegistry::Access& registry, platform::INamedMutex& locks, const modBackup::Store& store,
                      ChangeRecord& record) {
    const std::string& folder = store.folder.Path();
    if (!record.Unfinished(folder)) return true;
    const auto lock = LockConfiguration(registry.boxes, locks);
    if (!lock) return false;
    const std::optional<std::string> backup = record.Unfinished(folder);
    if (!backup) return true;
    bool fileRead = false;
    try {
        if (backup->empty()) Raise(ErrorNumber::BadFileFormat, std::string(texts::kRepairNoBackup));
        modBackup::PutBack(registry, store.files, *backup, fileRead);
    } catch (const std::exception& e) {
        std::string text(texts::kRepairFailedStart);
        text += ErrorOf(e).description();
        // A backup that cannot be read never will be: its mark would stop
        // every later start for nothing.
        if (!fileRead) record.Forget(folder);
        text += fileRead ? texts::kRepairFailedAgain : texts::kRepairFailedForGood;
        Say(registry, text, platform::MsgIcon::Critical);
        return false;
    }
    record.Forget(folder);
    const auto entry = modBackup::EntryOf("", FileName(*backup));
    Say(registry,
        std::string(texts::kRepairDoneStart) + modBackup::Readable(entry->time) + std::string(texts::kRepairDoneEnd),
        platform::MsgIcon::Information);
    return true;
}
