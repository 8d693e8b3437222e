#pragma once
// An automation substitute that records every call with its arguments and
// their types, in order, and answers from a script. Objects are named by the
// test; every reference handed out is counted, and its release is logged, so
// that a test sees which references the caller still holds. References to
// the same name are the same object. Events are fired by the test to the
// handlers connected to an object.
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/AppError.h"
#include "platform/Automation.h"

namespace platform {

class ScriptedAutomation : public IAutomation {
public:
    enum class Kind { Create, Get, Put, Call, Connect };
    struct Record {
        Kind kind;
        std::string object;  // "" for Create
        std::string member;  // as the caller spelt it; the identifier for Create, the event interface for Connect
        std::vector<AutoValue> args;  // for Put: the value
        // object.member(arg, ...) with the arguments described by type;
        // object.member = value for Put; object.Connect(interface).
        std::string ToString() const;
    };
    using Handler = std::function<AutoValue(const std::vector<AutoValue>& args)>;

    ScriptedAutomation();
    ScriptedAutomation(const ScriptedAutomation&) = delete;
    ScriptedAutomation& operator=(const ScriptedAutomation&) = delete;

    // Create() hands out a new reference to the object named `name`.
    void CreateGives(std::string name);
    void CreateFails(AppError error);

    // Queues the next answer of `object`.`member` (letter case ignored). The
    // last queued answer stays and answers every further call until a new one
    // is queued; a member with nothing queued answers empty.
    void Answer(const std::string& object, const std::string& member, AutoValue value);
    void AnswerObject(const std::string& object, const std::string& member, std::string name);
    void AnswerWith(const std::string& object, const std::string& member, Handler handler);
    // A property put is scripted under "=" + the property's name (for
    // example Fail("ie", "=Visible", error)); its answer is not used. So is
    // Connect, under "Connect".
    void Fail(const std::string& object, const std::string& member, AppError error);

    // The event `dispatchId` with `args` (in their declared order) reaches
    // every handler connected to `object` now, in the order they connected.
    void Fire(const std::string& object, std::int32_t dispatchId, const std::vector<AutoValue>& args);
    // The connections to the object's events that are held now.
    int Connections(const std::string& object) const;

    // A new counted reference to the object named `name`, for handlers.
    AutoValue Hand(std::string name);

    const std::vector<Record>& Calls() const;
    std::vector<std::string> CallStrings() const;
    // The calls as strings, without Create.
    std::vector<std::string> MemberCalls() const;
    // Object names in the order their references were released.
    const std::vector<std::string>& Released() const;
    int LiveReferences() const;
    int Created() const;
    void ClearLog();

    AutoObjectPtr Create(std::string_view progId) override;

    struct State;  // shared with the references handed out

private:
    std::shared_ptr<State> m_State;
};

}  // namespace platform
