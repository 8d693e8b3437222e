#pragma once
// One of ACT!'s user-defined commands: its 1172-byte record and its two
// button images, as raw bytes, with the record's fields as properties.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "commands/CommandRecord.h"
#include "commands/CommandServices.h"
#include "commands/clDIB.h"
#include "base/RegistryValue.h"

class clCustomTessivar {
public:
    static constexpr std::size_t kRecordSize = record::kSize;
    static constexpr std::size_t kHeaderSize = image::kHeaderSize;

    explicit clCustomTessivar(const CommandServices& services);

    // Reads command number Index from the registry. A command that cannot
    // be read completely is kept as it is stored: see IsComplete.
    void Init(std::int32_t Index);
    // The same through `values`, the table's key opened once for all its commands.
    void Init(std::int32_t Index, modRegistry::KeyReader& values);
    // Writes the record when anything changed, and the images when they or
    // the identifier they are stored under changed: a command that only
    // moves to another number leaves its images as they are stored, which
    // someone else may have changed since they were read.
    void UpdateRegistry();
    bool DataChanged() const { return m_Changed; }

    std::int32_t RegistryIndex() const { return m_RegistryIndex; }
    void RegistryIndex(std::int32_t lWert);

    void Paint_LBitmap(platform::DeviceContext Picture_hDC);
    void Paint_SBitmap(platform::DeviceContext Picture_hDC);

    std::int32_t CommandID() const { return m_CommandID; }
    // False when the record's identifier could not be read (CommandID is 0).
    bool IdentifierKnown() const { return m_IdKnown; }
    void CommandID(std::int32_t ID);

    std::string Name() const { return GetTextField(record::kName); }
    void Name(std::string_view sText) { SetTextField(record::kName, sText); }
    std::string Zeile() const { return GetTextField(record::kZeile); }
    void Zeile(std::string_view sText) { SetTextField(record::kZeile, sText); }
    std::string Start() const { return GetTextField(record::kStart); }
    void Start(std::string_view sText) { SetTextField(record::kStart, sText); }
    std::string QuickInfo() const { return GetTextField(record::kQuickInfo); }
    void QuickInfo(std::string_view sText) { SetTextField(record::kQuickInfo, sText); }
    std::string Beschreibung() const { return GetTextField(record::kBeschreibung); }
    void Beschreibung(std::string_view sText) { SetTextField(record::kBeschreibung, sText); }
    std::string Menu() const { return GetTextField(record::kMenu); }
    void Menu(std::string_view sText) { SetTextField(record::kMenu, sText); }

    // Replaces the stored large (or small) image; the next UpdateRegistry
    // writes it, and of the images only it.
    void ReplaceImage(bool large, ByteArray bytes);

    // The command file: record, large image, small image, end to end.
    bool Save(std::string_view Datei);
    bool Load(std::string_view Datei);

    // False for a command whose record, identifier or images could not be
    // read; ReadProblem says what. Such a command keeps what was stored and
    // writes it back unchanged when it is renumbered.
    bool IsComplete() const { return m_ReadProblem.empty(); }
    const std::string& ReadProblem() const { return m_ReadProblem; }
    std::int32_t BytesPerPixel() const { return m_BytesPerPixel; }
    const ByteArray& CommandBytes() const { return m_Command; }
    const ByteArray& BitmapLBytes() const { return m_BitmapL; }
    const ByteArray& BitmapSBytes() const { return m_BitmapS; }
    const clDIB& LargeImage() {
        EnsureImages();
        return m_DIBL;
    }
    const clDIB& SmallImage() {
        EnsureImages();
        return m_DIBS;
    }
    // The name lower-cased, kept until the name changes: tables compare names often.
    const std::string& LowerName() const;

    // Little-endian 32-bit fields; AppError when the bytes are not there or
    // the value does not fit a signed 32-bit number.
    static std::int32_t GetLongAt(const ByteArray& bytes, std::size_t offset);
    static void SetLongAt(ByteArray& bytes, std::size_t offset, std::int32_t value);

private:
    // A value as it was found in the registry, kept to be written back as found.
    struct Stored {
        RegistryValue value;
        bool Binary() const { return value.IsBytes(); }
    };

    static Stored Keep(const RegistryValue& value);
    std::string GetTextField(record::TextField field) const;
    void SetTextField(record::TextField field, std::string_view text);
    void BuildImages();
    void EnsureImages();
    void WriteBack(const std::string& name, const Stored& stored, const ByteArray& bytes, bool isRecord);
    [[nodiscard]] bool ReadFile(std::string_view Datei, ByteArray& record, ByteArray& large, ByteArray& small);

    CommandServices m_Services;
    ByteArray m_Command;
    ByteArray m_BitmapL;
    ByteArray m_BitmapS;
    std::int32_t m_CommandID = 0;
    clDIB m_DIBL;
    clDIB m_DIBS;
    bool m_Changed = false;
    bool m_ImagesChanged = false;
    bool m_RecordChanged = false;  // false when only a replaced image is to be written
    bool m_LargeReplaced = false;
    bool m_SmallReplaced = false;
    std::int32_t m_RegistryIndex = 0;
    std::int32_t m_BytesPerPixel = 0;

    Stored m_StoredCommand{RegistryValue(ByteArray())};
    Stored m_StoredBitmapL{RegistryValue(ByteArray())};
    Stored m_StoredBitmapS{RegistryValue(ByteArray())};
    bool m_IdKnown = true;
    std::int32_t m_ImagesReadAs = -1;  // the identifier whose image values Init read
    bool m_ImagesBuilt = false;  // the bitmaps are made when first painted
    mutable std::optional<std::string> m_LowerName;
    std::string m_ReadProblem;
};
