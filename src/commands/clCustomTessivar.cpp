#include "commands/clCustomTessivar.h"

#include <algorithm>
#include <climits>
#include <string>

#include "base/LittleEndian.h"
#include "common/ActRegistry.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"

namespace {

// No button image comes near this; a larger size field is not a command file.
constexpr std::uint32_t kMaxImageBytes = 1u << 20;

std::string ValueName(std::string_view prefix, std::int64_t n) { return std::string(prefix) + std::to_string(n); }

// Reads exactly buffer.size() bytes or as many as the file still has; the
// rest stays zero, as bytes past the end of a command file read as 0.
// A file cut short would otherwise become a command with zeros where its
// fields and pictures were.
void ReadWhole(platform::IFile& file, std::span<std::uint8_t> buffer, std::string_view why) {
    if (file.Read(buffer) != buffer.size()) Raise(ErrorNumber::BadFileFormat, std::string(why));
}

// The header's image size, refused when a command file could not hold such an image.
std::uint32_t ImageSizeOf(const ByteArray& header) {
    const std::uint32_t size = littleendian::ReadU32(header, image::kSizeOffset);
    if (size > kMaxImageBytes) {
        std::string description(texts::kBadImageSizeStart);
        description += std::to_string(static_cast<std::int32_t>(size));
        description += texts::kBadImageSizeEnd;
        Raise(ErrorNumber::BadFileFormat, description);
    }
    return size;
}

}  // namespace

// Binary values live in the byte arrays; only the kind is kept of them.
clCustomTessivar::Stored clCustomTessivar::Keep(const RegistryValue& value) {
    return {value.IsBytes() ? RegistryValue(ByteArray()) : value};
}

clCustomTessivar::clCustomTessivar(const CommandServices& services)
    : m_Services(services), m_DIBL(services.graphics), m_DIBS(services.graphics) {}

std::int32_t clCustomTessivar::GetLongAt(const ByteArray& bytes, std::size_t offset) {
    return littleendian::ReadI32(bytes, offset);
}

void clCustomTessivar::SetLongAt(ByteArray& bytes, std::size_t offset, std::int32_t value) {
    if (!littleendian::Fits(bytes.size(), offset, 4)) bytes.resize(offset + 4, 0);
    littleendian::WriteU32(bytes, offset, static_cast<std::uint32_t>(value));
}

std::string clCustomTessivar::GetTextField(record::TextField field) const {
    std::string bytes;
    for (std::size_t i = field.first; i <= field.last && i < m_Command.size() && m_Command[i] != 0; ++i) {
        bytes.push_back(static_cast<char>(m_Command[i]));
    }
    return m_Services.registry.text.FromCodePage(bytes);
}

const std::string& clCustomTessivar::LowerName() const {
    if (!m_LowerName) m_LowerName = m_Services.registry.text.ToLower(Name());
    return *m_LowerName;
}

void clCustomTessivar::SetTextField(record::TextField field, std::string_view text) {
    m_LowerName.reset();
    const std::string bytes = m_Services.registry.text.ToCodePage(text);
    if (m_Command.size() <= field.last) m_Command.resize(std::max(field.last + 1, kRecordSize), 0);
    for (std::size_t k = 0; k < field.Width(); ++k) {
        m_Command[field.first + k] = k < bytes.size() ? static_cast<std::uint8_t>(bytes[k]) : 0;
    }
    m_Changed = true;
    m_RecordChanged = true;
}

void clCustomTessivar::RegistryIndex(std::int32_t lWert) {
    m_RegistryIndex = lWert;
    m_Changed = true;
    m_RecordChanged = true;
}

void clCustomTessivar::CommandID(std::int32_t ID) {
    SetLongAt(m_Command, record::kCommandIdOffset, ID);
    m_CommandID = ID;
    m_IdKnown = true;
    m_Changed = true;
    m_RecordChanged = true;
    m_ImagesChanged = true;
}

void clCustomTessivar::Init(std::int32_t Index) {
    modRegistry::KeyReader values(m_Services.registry, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands);
    Init(Index, values);
}

void clCustomTessivar::Init(std::int32_t Index, modRegistry::KeyReader& values) {
    m_RegistryIndex = Index;
    m_ReadProblem.clear();
    m_IdKnown = false;
    m_CommandID = 0;
    m_ImagesReadAs = -1;
    const auto read = [&values](std::string_view prefix, std::int64_t n) { return values.Get(ValueName(prefix, n)); };

    const RegistryValue command = read("Command-", Index);
    m_Command = command.IsBytes() ? command.ToBytes() : ByteArray();
    m_StoredCommand = Keep(command);
    m_StoredBitmapL = {RegistryValue()};
    m_StoredBitmapS = {RegistryValue()};
    m_BitmapL.clear();
    m_BitmapS.clear();

    if (!m_StoredCommand.Binary()) {
        m_ReadProblem = m_StoredCommand.value.IsNone() ? texts::kRecordMissing : texts::kRecordNotBinary;
    } else if (m_Command.size() < 4) {
        m_ReadProblem = texts::kRecordTooShort;
    } else if (m_Command[3] >= 0x80) {
        m_ReadProblem = texts::kIdTooLarge;
    } else {
        m_CommandID = GetLongAt(m_Command, record::kCommandIdOffset);
        m_IdKnown = true;
        if (m_Command.size() < kRecordSize) m_ReadProblem = texts::kRecordTooShort;
    }

    if (m_IdKnown) {
        m_ImagesReadAs = m_CommandID;
        const RegistryValue large = read("BitmapL-", m_CommandID);
        const RegistryValue small = read("BitmapS-", m_CommandID);
        if (large.IsBytes()) m_BitmapL = large.ToBytes();
        if (small.IsBytes()) m_BitmapS = small.ToBytes();
        m_StoredBitmapL = Keep(large);
        m_StoredBitmapS = Keep(small);
        if (m_ReadProblem.empty() && (!m_StoredBitmapL.Binary() || !m_StoredBitmapS.Binary())) {
            m_ReadProblem = texts::kImageMissing;
        }
    }
    BuildImages();
    if (m_ReadProblem.empty() && m_BytesPerPixel == 0) {
        try {
            if (GetLongAt(m_BitmapL, image::kWidthOffset) == 0 || GetLongAt(m_BitmapL, image::kHeightOffset) == 0)
                m_ReadProblem = texts::kImageWithoutSize;
        } catch (const AppError&) {
            // A header too short or too large to read shows as an unreadable image, nothing more.
        }
    }
    m_Changed = false;
    m_RecordChanged = false;
    m_ImagesChanged = false;
    m_LargeReplaced = false;
    m_SmallReplaced = false;
}

// Only what the bitmaps are built from is decided here; making them costs a
// device context each, so that waits until they are painted.
void clCustomTessivar::BuildImages() {
    m_LowerName.reset();
    m_ImagesBuilt = false;
    m_DIBL.Clear();
    m_DIBS.Clear();
    m_BytesPerPixel = 0;
    try {
        const std::int32_t width = GetLongAt(m_BitmapL, image::kWidthOffset);
        const std::int32_t height = GetLongAt(m_BitmapL, image::kHeightOffset);
        const std::int32_t size = GetLongAt(m_BitmapL, image::kSizeOffset);
        if (width != 0 && height != 0) m_BytesPerPixel = size / width / height;
    } catch (const AppError&) {
        // Without a readable header no pixel is taken from the data.
    }
}

void clCustomTessivar::EnsureImages() {
    if (m_ImagesBuilt) return;
    m_ImagesBuilt = true;
    m_DIBL = clDIB::OfStoredImage(m_Services.graphics, 24, m_BitmapL, m_BytesPerPixel);
    m_DIBS = clDIB::OfStoredImage(m_Services.graphics, 16, m_BitmapS, m_BytesPerPixel);
}

void clCustomTessivar::WriteBack(const std::string& name, const Stored& stored, const ByteArray& bytes, bool isRecord) {
    const auto write = [&](const RegistryValue& value, RegType type) {
        modRegistry::RegistrySetKeyValue(m_Services.registry, modRegistry::HKeyCurrentUser,
                                         actregistry::kCustomCommands, name, value, type);
    };
    if (!bytes.empty() || stored.Binary()) {
        write(RegistryValue(bytes), RegType::Binary);
    } else if (stored.value.IsText()) {
        write(stored.value, RegType::Text);
    } else if (stored.value.IsNumber()) {
        write(stored.value, RegType::Dword);
    } else if (isRecord && modRegistry::RegistryValueExists(m_Services.registry, modRegistry::HKeyCurrentUser,
                                                            actregistry::kCustomCommands, name)) {
        // A missing record moves as an empty one, so that its new number no
        // longer shows the record that stood there before; where nothing
        // stood, nothing is made.
        write(RegistryValue(ByteArray()), RegType::Binary);
    }
}

void clCustomTessivar::UpdateRegistry() {
    if (!m_Changed) return;
    if (m_RecordChanged) WriteBack(ValueName("Command-", m_RegistryIndex), m_StoredCommand, m_Command, true);
    // Images of an identifier we could not read belong to no one we know.
    if (!m_IdKnown) return;
    // Images are found by the identifier, not the number: one that is no
    // binary value stays as it is where it was read, never rewritten as text.
    const bool sameName = m_ImagesReadAs == m_CommandID;
    if ((m_ImagesChanged || m_LargeReplaced) && !(sameName && !m_StoredBitmapL.Binary() && m_BitmapL.empty())) {
        WriteBack(ValueName("BitmapL-", m_CommandID), m_StoredBitmapL, m_BitmapL, false);
    }
    if ((m_ImagesChanged || m_SmallReplaced) && !(sameName && !m_StoredBitmapS.Binary() && m_BitmapS.empty())) {
        WriteBack(ValueName("BitmapS-", m_CommandID), m_StoredBitmapS, m_BitmapS, false);
    }
}

void clCustomTessivar::ReplaceImage(bool large, ByteArray bytes) {
    (large ? m_BitmapL : m_BitmapS) = std::move(bytes);
    (large ? m_LargeReplaced : m_SmallReplaced) = true;
    m_Changed = true;
    BuildImages();
}

void clCustomTessivar::Paint_LBitmap(platform::DeviceContext Picture_hDC) {
    EnsureImages();
    m_DIBL.PaintPicture(Picture_hDC, 0, 0, -1, -1, 0, 0, clDIB::kSrcCopy);
}

void clCustomTessivar::Paint_SBitmap(platform::DeviceContext Picture_hDC) {
    EnsureImages();
    m_DIBS.PaintPicture(Picture_hDC, 0, 0, -1, -1, 0, 0, clDIB::kSrcCopy);
}

bool clCustomTessivar::Save(std::string_view Datei) {
    try {
        auto file = m_Services.files.OpenWrite(Datei);
        file->Write(m_Command);
        file->Write(m_BitmapL);
        file->Write(m_BitmapS);
        return true;
    } catch (const std::exception& e) {
        modMessages::ShowClassError(m_Services.registry.boxes, texts::kClassCommand, ErrorOf(e));
        return false;
    }
}

bool clCustomTessivar::ReadFile(std::string_view Datei, ByteArray& record, ByteArray& large, ByteArray& small) {
    auto file = m_Services.files.OpenRead(Datei);
    m_Services.windows.DoEvents();
    record.assign(kRecordSize, 0);
    ReadWhole(*file, record, texts::kCommandFileShort);
    for (ByteArray* image : {&large, &small}) {
        image->assign(kHeaderSize, 0);
        ReadWhole(*file, *image, texts::kCommandFileShort);
        const std::uint32_t size = ImageSizeOf(*image);
        image->resize(kHeaderSize + size, 0);
        ReadWhole(*file, std::span<std::uint8_t>(image->data() + kHeaderSize, size), texts::kCommandFileImageShort);
    }
    return true;
}

bool clCustomTessivar::Load(std::string_view Datei) {
    m_Changed = false;
    if (!m_Services.files.Exists(Datei)) {
        std::string text(texts::kClassErrorPrefix);
        text += texts::kClassCommand;
        text += texts::kMethodLoad;
        text += texts::kCrLf;
        text += texts::kFileLine;
        text += Datei;
        text += texts::kCrLf;
        text += texts::kNotFoundLine;
        modMessages::MsgBox(m_Services.registry.boxes, text, platform::MsgIcon::Exclamation);
        return false;
    }
    ByteArray record, large, small;
    try {
        if (!ReadFile(Datei, record, large, small)) return false;
    } catch (const std::exception& e) {
        modMessages::ShowClassError(m_Services.registry.boxes,
                                    std::string(texts::kClassCommand) + std::string(texts::kMethodLoad), ErrorOf(e));
        return false;
    }
    m_Command = std::move(record);
    m_BitmapL = std::move(large);
    m_BitmapS = std::move(small);
    m_StoredCommand = m_StoredBitmapL = m_StoredBitmapS = Keep(RegistryValue(ByteArray()));
    m_ReadProblem.clear();
    m_IdKnown = true;
    BuildImages();
    m_Changed = true;
    m_RecordChanged = true;
    m_ImagesChanged = true;
    return true;
}
