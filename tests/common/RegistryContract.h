#pragma once
// The registry routines' tests run on every registry they can run on: the
// in-memory substitute everywhere and, under Wine, the real registry.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/RegistryValue.h"
#include "platform/MemoryFileSystem.h"
#include "platform/MemoryGraphics.h"
#include "platform/MemoryWindowSystem.h"
#include "platform/Platform.h"
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
        backend_ = GetParam().make();
        backend_->RemoveTestKey();
        env_ = std::make_unique<platform::Platform>(
            platform::Platform{backend_->Registry(), windows_, boxes_, backend_->Codec(), files_, graphics_, "Tessivar"});
    }
    void TearDown() override { backend_->RemoveTestKey(); }

    const platform::Platform& Env() const { return *env_; }

    struct Raw {
        std::uint32_t type;
        ByteArray data;
    };

    // The value as stored, read straight through the registry interface.
    std::optional<Raw> ReadRaw(const std::string& key, const std::string& name) {
        platform::IRegistry& r = backend_->Registry();
        platform::RegKey h = 0;
        if (r.OpenKey(platform::kHKeyCurrentUser, key, platform::kKeyRead, h) != 0) return std::nullopt;
        platform::RegistryKey owner(r, h);
        std::uint32_t type = 0, size = 0;
        if (r.QueryValue(h, name, type, {}, size) != 0) return std::nullopt;
        ByteArray data(size);
        if (size > 0 && r.QueryValue(h, name, type, data, size) != 0) return std::nullopt;
        data.resize(size);
        return Raw{type, data};
    }

    bool KeyExists(const std::string& key) {
        platform::RegKey h = 0;
        if (backend_->Registry().OpenKey(platform::kHKeyCurrentUser, key, platform::kKeyRead, h) != 0) return false;
        backend_->Registry().CloseKey(h);
        return true;
    }

    void PutRaw(const std::string& key, const std::string& name, std::uint32_t type, const ByteArray& data) {
        platform::IRegistry& r = backend_->Registry();
        platform::RegKey h = 0;
        ASSERT_EQ(r.CreateKey(platform::kHKeyCurrentUser, key, platform::kKeyAllAccess, h), 0);
        platform::RegistryKey owner(r, h);
        ASSERT_EQ(r.SetValue(h, name, type, data), 0);
    }

    std::unique_ptr<RegistryBackend> backend_;
    platform::MemoryWindowSystem windows_;
    platform::ScriptedMessageBoxes boxes_;
    platform::MemoryFileSystem files_;
    platform::MemoryGraphics graphics_;
    std::unique_ptr<platform::Platform> env_;
};
