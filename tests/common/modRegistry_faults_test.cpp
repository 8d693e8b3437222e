// The registry routines over the recording substitute: which platform calls
// they make, that every key they open is closed on every path, and what a
// failing registry does to them.
#include <gtest/gtest.h>

#include "base/AppError.h"
#include "common/modRegistry.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"

using modRegistry::HKeyCurrentUser;
using modRegistry::RegistryGetKeyValue;
using modRegistry::RegistrySetKeyValue;
using Op = platform::MemoryRegistry::Op;

namespace {

constexpr const char* kKey = "Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!\\CustomCommands";

class RegistryFaults : public testing::Test {
protected:
    void SetUp() override {
        sub.registry.PutDword(platform::kHKeyCurrentUser, kKey, "Count", 3);
        sub.registry.Put(platform::kHKeyCurrentUser, kKey, "Command-0", platform::kRegBinary, ByteArray(1172, 0x41));
        sub.registry.PutText(platform::kHKeyCurrentUser, kKey, "Name", "Befehl");
        sub.registry.ClearLog();
    }

    std::vector<Op> Ops() const {
        std::vector<Op> ops;
        for (const auto& c : sub.registry.Calls()) ops.push_back(c.op);
        return ops;
    }

    SubstituteServices sub;
};

TEST_F(RegistryFaults, AReadOpensQueriesReadsAndClosesItsKey) {
    EXPECT_EQ(RegistryGetKeyValue(sub.Registry(), HKeyCurrentUser, kKey, "Command-0"),
              RegistryValue(ByteArray(1172, 0x41)));
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::OpenKey, Op::QueryValue, Op::QueryValue, Op::CloseKey}));
    EXPECT_EQ(sub.registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryFaults, EveryFailingReadStepGivesNoValueWithoutAMessageAndClosesTheKey) {
    for (int failAt = 1; failAt <= 3; ++failAt) {
        int seen = 0;
        sub.registry.SetFaultHook([&](const auto& call) -> long {
            return call.op != Op::CloseKey && ++seen == failAt ? platform::kErrorAccessDenied : 0;
        });
        EXPECT_TRUE(RegistryGetKeyValue(sub.Registry(), HKeyCurrentUser, kKey, "Name").IsNone()) << failAt;
        EXPECT_EQ(sub.registry.OpenHandleCount(), 0u) << failAt;
    }
    EXPECT_TRUE(sub.messages.Shown().empty());
}

TEST_F(RegistryFaults, ATableReadOpensItsKeyOnceAQueryEachAndAFailingOneGivesNoValue) {
    {
        modRegistry::KeyReader values(sub.Registry(), HKeyCurrentUser, kKey);
        EXPECT_EQ(values.Get("Command-0"), RegistryValue(ByteArray(1172, 0x41)));
        EXPECT_EQ(values.Get("Count"), RegistryValue(3));
        sub.registry.SetFaultHook(
            [](const auto& call) -> long { return call.op == Op::QueryValue ? platform::kErrorAccessDenied : 0; });
        EXPECT_TRUE(values.Get("Name").IsNone());
    }
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::OpenKey, Op::QueryValue, Op::QueryValue, Op::QueryValue, Op::CloseKey}));
    EXPECT_EQ(sub.registry.OpenHandleCount(), 0u);
    EXPECT_TRUE(sub.messages.Shown().empty());
}

TEST_F(RegistryFaults, AnUnexpectedFailureIsShownTitledAfterTheRoutineAndTheKeyIsStillClosed) {
    sub.registry.SetFaultHook([](const auto& call) -> long {
        if (call.op == Op::QueryValue) throw AppError(1234, "Der Registrierungsdienst antwortet nicht");
        return 0;
    });
    EXPECT_TRUE(RegistryGetKeyValue(sub.Registry(), HKeyCurrentUser, kKey, "Count").IsNone());
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0],
              (platform::MessageBoxRequest{"Error: 1234. Der Registrierungsdienst antwortet nicht",
                                           "RegistryGetKeyValue", platform::MsgIcon::None, platform::MsgButtons::Ok}));
    EXPECT_EQ(sub.registry.OpenHandleCount(), 0u);

    sub.registry.SetFaultHook([](const auto& call) -> long {
        if (call.op == Op::SetValue) throw std::bad_alloc();
        return 0;
    });
    RegistrySetKeyValue(sub.Registry(), HKeyCurrentUser, kKey, "Count", RegistryValue(4), RegType::Dword);
    ASSERT_EQ(sub.messages.Shown().size(), 2u);
    EXPECT_EQ(sub.messages.Shown()[1].text, "Error: 7. Nicht genügend Speicher");
    EXPECT_EQ(sub.messages.Shown()[1].title, "RegistrySetKeyValue");
    EXPECT_EQ(sub.registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryFaults, AWriteCreatesStoresAndClosesWithTheAccessOfThePlatformCall) {
    RegistrySetKeyValue(sub.Registry(), HKeyCurrentUser, kKey, "Count", RegistryValue(4), RegType::Dword);
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::CreateKey, Op::SetValue, Op::CloseKey}));
    const auto writes = sub.registry.Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].keyPath, std::string("HKCU\\") + kKey);
    EXPECT_EQ(writes[0].name, "Count");
    EXPECT_EQ(writes[0].type, platform::kRegDword);
    EXPECT_EQ(writes[0].data, (ByteArray{4, 0, 0, 0}));
}

// A change of the user's configuration must not go on as if a refused
// write had happened: the caller gets the error, naming the value.
TEST_F(RegistryFaults, ARefusedWriteReachesTheCallerAsAnErrorNamingTheValueAndAKeyNotMadeGetsNoStore) {
    const auto refusal = [&](const char* name) -> std::string {
        try {
            RegistrySetKeyValue(sub.Registry(), HKeyCurrentUser, kKey, name, RegistryValue(9), RegType::Dword);
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::RegistryNotWritten);
            return e.description();
        }
        return "no error";
    };
    sub.registry.SetFaultHook(
        [](const auto& call) -> long { return call.op == Op::CreateKey ? platform::kErrorAccessDenied : 0; });
    EXPECT_EQ(refusal("Count"), std::string("Der Schlüssel HKEY_CURRENT_USER\\") + kKey +
                                    " konnte nicht angelegt werden (Systemfehler 5).");
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::CreateKey}));

    sub.registry.ClearLog();
    sub.registry.FailWritesFrom(1);
    EXPECT_EQ(refusal("Count"), std::string("Der Wert \"Count\" im Schlüssel HKEY_CURRENT_USER\\") + kKey +
                                    " konnte nicht geschrieben werden (Systemfehler 5).");
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::CreateKey, Op::SetValue, Op::CloseKey}));
    EXPECT_EQ(sub.registry.Get(platform::kHKeyCurrentUser, kKey, "Count")->data, (ByteArray{3, 0, 0, 0}));
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_EQ(sub.registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryFaults, TextsOutsideTheCodePageBecomeQuestionMarks) {
    RegistrySetKeyValue(sub.Registry(), HKeyCurrentUser, kKey, "Name", RegistryValue("Łódź €"), RegType::Text);
    EXPECT_EQ(sub.registry.Writes().at(0).data, (ByteArray{'?', 0xF3, 'd', '?', ' ', 0x80, 0}));
}

}  // namespace
