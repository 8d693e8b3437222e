#pragma once
// The registry routines' tests run on every registry they can run on: the
// in-memory substitute everywhere and, under Wine, the real registry.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/RegistryValue.h"
#include "common/modRegistry.h"
#include "platform/ScriptedMessageBoxes.h"

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;
    virtual platform::IRegistry& Registry() = 0;
    virtual platform::ITextCodec& Codec() = 0;
    // Removes the throwaway key the tests work under.
    virtual void RemoveTestKey() = 0;
};

struct NamedBackend {
    std::string name;
    std::function<std::unique_ptr<RegistryBackend>()> make;
};

inline std::string PrintBackend(const testing::TestParamInfo<NamedBackend>& info) { return info.param.name; }

class RegistryRoutines : public testing::TestWithParam<NamedBackend> {
protected:
    static constexpr const char* kKey = "Software\\TessivarTest\\Routinen";

    void SetUp() override {
        m_Backend = GetParam().make();
        m_Backend->RemoveTestKey();
        m_Access.emplace(modRegistry::Access{m_Backend->Registry(), m_Backend->Codec(), m_Boxes});
    }
    void TearDown() override { m_Backend->RemoveTestKey(); }

    const modRegistry::Access& Env() const { return *m_Access; }

    struct Raw {
        std::uint32_t type;
        ByteArray data;
    };

    // The value as stored, read straight through the registry interface.
    std::optional<Raw> ReadRaw(const std::string& key, const std::string& name) {
        platform::IRegistry& r = m_Backend->Registry();
        platform::RegKey h = 0;
        if (r.OpenKey(platform::kHKeyCurrentUser, key, platform::kKeyRead, h) != 0) return std::nullopt;
        const platform::RegistryKey owner = platform::OwnKey(r, h);
        std::uint32_t type = 0, size = 0;
        if (r.QueryValue(h, name, type, {}, size) != 0) return std::nullopt;
        ByteArray data(size);
        if (size > 0 && r.QueryValue(h, name, type, data, size) != 0) return std::nullopt;
        data.resize(size);
        return Raw{type, data};
    }

    bool KeyExists(const std::string& key) {
        platform::RegKey h = 0;
        if (m_Backend->Registry().OpenKey(platform::kHKeyCurrentUser, key, platform::kKeyRead, h) != 0) return false;
        m_Backend->Registry().CloseKey(h);
        return true;
    }

    void PutRaw(const std::string& key, const std::string& name, std::uint32_t type, const ByteArray& data) {
        platform::IRegistry& r = m_Backend->Registry();
        platform::RegKey h = 0;
        ASSERT_EQ(r.CreateKey(platform::kHKeyCurrentUser, key, platform::kKeyAllAccess, h), 0);
        const platform::RegistryKey owner = platform::OwnKey(r, h);
        ASSERT_EQ(r.SetValue(h, name, type, data), 0);
    }

    std::unique_ptr<RegistryBackend> m_Backend;
    platform::ScriptedMessageBoxes m_Boxes{"Tessivar"};
    std::optional<modRegistry::Access> m_Access;
};
