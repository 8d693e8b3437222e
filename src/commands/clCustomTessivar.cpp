#include "commands/clCustomTessivar.h"

#include <algorithm>
#include <climits>
#include <string>

#include "common/ActRegistry.h"
#include "common/AppError.h"
#include "common/UiTexts.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"

namespace {

constexpr std::size_t kImageSizeOffset = 20;
// No button image comes near this; a larger size field is not a command file.
constexpr std::uint32_t kMaxImageBytes = 1u << 20;

std::string ValueName(std::string_view prefix, std::int64_t n) { return std::string(prefix) + std::to_string(n); }

std::int32_t LastIndex(const ByteArray& bytes) {
    return static_cast<std::int32_t>(std::min<std::size_t>(bytes.size(), INT32_MAX)) - 1;
}

// Reads exactly buffer.size() bytes or as many as the file still has; the
// rest stays zero, as bytes past the end of a command file read as 0.
void ReadOrZero(platform::IFile& file, ByteArray& buffer) {
    const std::size_t got = file.Read(buffer);
    std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(got), buffer.end(), 0);
}

// The header's image size, refused when a command file could not hold such an image.
std::uint32_t ImageSizeOf(const ByteArray& header) {
    const std::uint32_t size = header[kImageSizeOffset] | (header[kImageSizeOffset + 1] << 8) |
                               (header[kImageSizeOffset + 2] << 16) |
                               (static_cast<std::uint32_t>(header[kImageSizeOffset + 3]) << 24);
    if (size > kMaxImageBytes) {
        std::string description(texts::kBadImageSizeStart);
        description += std::to_string(static_cast<std::int32_t>(size));
        description += texts::kBadImageSizeEnd;
        throw AppError(ErrorNumber::BadFileFormat, description);
    }
    return size;
}

}  // namespace

// Binary values live in the byte arrays; only the kind is kept of them.
clCustomTessivar::Stored clCustomTessivar::Keep(const RegistryValue& value) {
    return {value.IsBytes() ? RegistryValue(ByteArray()) : value};
}

clCustomTessivar::clCustomTessivar(const platform::Platform& env)
    : env_(&env), m_DIBL(env.graphics), m_DIBS(env.graphics) {}

std::int32_t clCustomTessivar::GetLongAt(const ByteArray& bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4) {
        throw AppError(ErrorNumber::SubscriptOutOfRange, std::string(texts::kSubscriptOutOfRange));
    }
    if (bytes[offset + 3] >= 0x80) throw AppError(ErrorNumber::Overflow, std::string(texts::kOverflow));
    std::int32_t v = 0;
    for (std::size_t i = offset + 4; i-- > offset;) v = v * 256 + bytes[i];
    return v;
}

void clCustomTessivar::SetLongAt(ByteArray& bytes, std::size_t offset, std::int32_t value) {
    if (bytes.size() < offset + 4) bytes.resize(offset + 4, 0);
    const auto u = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::string clCustomTessivar::GetTextField(std::size_t first, std::size_t last) const {
    std::string bytes;
    for (std::size_t i = first; i <= last && i < m_Command.size() && m_Command[i] != 0; ++i) {
        bytes.push_back(static_cast<char>(m_Command[i]));
    }
    return env_->text.FromCodePage(bytes);
}

const std::string& clCustomTessivar::LowerName() const {
    if (!lowerName_) lowerName_ = env_->text.ToLower(Name());
    return *lowerName_;
}

void clCustomTessivar::SetTextField(std::size_t first, std::size_t last, std::string_view text) {
    lowerName_.reset();
    const std::string bytes = env_->text.ToCodePage(text);
    if (m_Command.size() <= last) m_Command.resize(std::max(last + 1, kRecordSize), 0);
    const std::size_t width = last - first + 1;
    for (std::size_t k = 0; k < width; ++k) {
        m_Command[first + k] = k < bytes.size() ? static_cast<std::uint8_t>(bytes[k]) : 0;
    }
    m_Changed = true;
}

void clCustomTessivar::RegistryIndex(std::int32_t lWert) {
    m_RegistryIndex = lWert;
    m_Changed = true;
}

void clCustomTessivar::CommandID(std::int32_t ID) {
    SetLongAt(m_Command, 0, ID);
    m_CommandID = ID;
    idKnown_ = true;
    m_Changed = true;
}

void clCustomTessivar::Init(std::int32_t Index) {
    m_RegistryIndex = Index;
    readProblem_.clear();
    idKnown_ = false;
    m_CommandID = 0;
    const auto read = [this](std::string_view prefix, std::int64_t n) {
        return modRegistry::RegistryGetKeyValue(*env_, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands,
                                                ValueName(prefix, n));
    };

    const RegistryValue command = read("Command-", Index);
    m_Command = command.IsBytes() ? command.ToBytes() : ByteArray();
    storedCommand_ = Keep(command);
    storedBitmapL_ = {RegistryValue()};
    storedBitmapS_ = {RegistryValue()};
    m_BitmapL.clear();
    m_BitmapS.clear();

    if (!storedCommand_.Binary()) {
        readProblem_ = storedCommand_.value.IsNone() ? texts::kRecordMissing : texts::kRecordNotBinary;
    } else if (m_Command.size() < 4) {
        readProblem_ = texts::kRecordTooShort;
    } else if (m_Command[3] >= 0x80) {
        readProblem_ = texts::kIdTooLarge;
    } else {
        m_CommandID = GetLongAt(m_Command, 0);
        idKnown_ = true;
        if (m_Command.size() < kRecordSize) readProblem_ = texts::kRecordTooShort;
    }

    if (idKnown_) {
        const RegistryValue large = read("BitmapL-", m_CommandID);
        const RegistryValue small = read("BitmapS-", m_CommandID);
        if (large.IsBytes()) m_BitmapL = large.ToBytes();
        if (small.IsBytes()) m_BitmapS = small.ToBytes();
        storedBitmapL_ = Keep(large);
        storedBitmapS_ = Keep(small);
        if (readProblem_.empty() && (!storedBitmapL_.Binary() || !storedBitmapS_.Binary())) {
            readProblem_ = texts::kImageMissing;
        }
    }
    BuildImages();
    if (readProblem_.empty() && m_BytesPerPixel == 0) {
        try {
            if (GetLongAt(m_BitmapL, 4) == 0 || GetLongAt(m_BitmapL, 8) == 0) readProblem_ = texts::kImageWithoutSize;
        } catch (const AppError&) {
            // A header too short or too large to read shows as an unreadable image, nothing more.
        }
    }
    m_Changed = false;
}

// Only what the bitmaps are built from is decided here; making them costs a
// device context each, so that waits until they are painted.
void clCustomTessivar::BuildImages() {
    lowerName_.reset();
    imagesBuilt_ = false;
    m_DIBL.Clear();
    m_DIBS.Clear();
    m_BytesPerPixel = 0;
    try {
        const std::int32_t width = GetLongAt(m_BitmapL, 4);
        const std::int32_t height = GetLongAt(m_BitmapL, 8);
        const std::int32_t size = GetLongAt(m_BitmapL, kImageSizeOffset);
        if (width != 0 && height != 0) m_BytesPerPixel = size / width / height;
    } catch (const AppError&) {
        // Without a readable header no pixel is taken from the data.
    }
}

void clCustomTessivar::EnsureImages() {
    if (imagesBuilt_) return;
    imagesBuilt_ = true;
    m_DIBL = clDIB(env_->graphics);
    m_DIBL.Create(24, 24);
    m_DIBL.FillWithArray(m_BitmapL, LastIndex(m_BitmapL), static_cast<std::int32_t>(kHeaderSize), m_BytesPerPixel);
    m_DIBS = clDIB(env_->graphics);
    m_DIBS.Create(16, 16);
    m_DIBS.FillWithArray(m_BitmapS, LastIndex(m_BitmapS), static_cast<std::int32_t>(kHeaderSize), m_BytesPerPixel);
}

void clCustomTessivar::WriteBack(const std::string& name, const Stored& stored, const ByteArray& bytes,
                                 bool isRecord) {
    const auto write = [&](const RegistryValue& value, std::int32_t type) {
        modRegistry::RegistrySetKeyValue(*env_, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands, name, value,
                                         type);
    };
    if (!bytes.empty() || stored.Binary()) {
        write(RegistryValue(bytes), 3);
    } else if (stored.value.IsText()) {
        write(stored.value, 1);
    } else if (stored.value.IsNumber()) {
        write(stored.value, 4);
    } else if (isRecord) {
        // A missing record moves as an empty one, so that its new number no
        // longer shows the record that stood there before.
        write(RegistryValue(ByteArray()), 3);
    }
}

void clCustomTessivar::UpdateRegistry() {
    if (!m_Changed) return;
    WriteBack(ValueName("Command-", m_RegistryIndex), storedCommand_, m_Command, true);
    if (!idKnown_) return;  // images belong to an identifier we could not read
    WriteBack(ValueName("BitmapL-", m_CommandID), storedBitmapL_, m_BitmapL, false);
    WriteBack(ValueName("BitmapS-", m_CommandID), storedBitmapS_, m_BitmapS, false);
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
        auto file = env_->files.OpenWrite(Datei);
        file->Write(m_Command);
        file->Write(m_BitmapL);
        file->Write(m_BitmapS);
        return true;
    } catch (...) {
        modMessages::ShowCurrentClassError(*env_, texts::kClassCommand);
        return false;
    }
}

bool clCustomTessivar::ReadFile(std::string_view Datei, ByteArray& record, ByteArray& large, ByteArray& small) {
    auto file = env_->files.OpenRead(Datei);
    env_->windows.DoEvents();
    record.assign(kRecordSize, 0);
    ReadOrZero(*file, record);
    for (ByteArray* image : {&large, &small}) {
        image->assign(kHeaderSize, 0);
        ReadOrZero(*file, *image);
        const std::uint32_t size = ImageSizeOf(*image);
        image->resize(kHeaderSize + size, 0);
        std::span<std::uint8_t> pixels(image->data() + kHeaderSize, size);
        const std::size_t got = file->Read(pixels);
        std::fill(pixels.begin() + static_cast<std::ptrdiff_t>(got), pixels.end(), 0);
    }
    return true;
}

bool clCustomTessivar::Load(std::string_view Datei) {
    m_Changed = false;
    if (!env_->files.Exists(Datei)) {
        std::string text(texts::kClassErrorPrefix);
        text += texts::kClassCommand;
        text += texts::kMethodLoad;
        text += texts::kCrLf;
        text += texts::kFileLine;
        text += Datei;
        text += texts::kCrLf;
        text += texts::kNotFoundLine;
        modMessages::MsgBox(*env_, text, platform::MsgIcon::Exclamation);
        return false;
    }
    ByteArray record, large, small;
    try {
        if (!ReadFile(Datei, record, large, small)) return false;
    } catch (...) {
        modMessages::ShowCurrentClassError(*env_, std::string(texts::kClassCommand) + std::string(texts::kMethodLoad));
        return false;
    }
    m_Command = std::move(record);
    m_BitmapL = std::move(large);
    m_BitmapS = std::move(small);
    storedCommand_ = storedBitmapL_ = storedBitmapS_ = Keep(RegistryValue(ByteArray()));
    readProblem_.clear();
    idKnown_ = true;
    BuildImages();
    m_Changed = true;
    return true;
}
