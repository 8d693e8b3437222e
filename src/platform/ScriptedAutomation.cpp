#include "platform/ScriptedAutomation.h"

#include <optional>

#include "base/Ascii.h"

namespace platform {

struct ScriptedAutomation::State {
    std::vector<Record> calls;
    std::vector<std::string> released;
    struct Answers {
        std::deque<Handler> queue;
        bool lastUsed = false;  // a new answer then replaces the one that stayed
    };
    std::map<std::string, Answers> script;  // key: object + '.' + lower-case member
    struct Connection {
        std::string object;
        AutoEventHandler handler;
    };
    std::map<int, Connection> connections;  // by the order they were made
    int nextConnection = 0;
    std::string createName = "app";
    std::optional<AppError> createError;
    int live = 0;
    int created = 0;

    AutoValue Answer(const std::string& object, std::string_view member, const std::vector<AutoValue>& args) {
        auto it = script.find(object + "." + ascii::Lower(member));
        if (it == script.end() || it->second.queue.empty()) return {};
        auto& answers = it->second;
        Handler handler = answers.queue.front();
        if (answers.queue.size() > 1)
            answers.queue.pop_front();
        else
            answers.lastUsed = true;
        return handler(args);
    }
};

namespace {

class ScriptedConnection : public IAutoConnection {
public:
    ScriptedConnection(std::shared_ptr<ScriptedAutomation::State> state, int number)
        : m_State(std::move(state)), m_Number(number) {}
    ~ScriptedConnection() override { m_State->connections.erase(m_Number); }
    ScriptedConnection(const ScriptedConnection&) = delete;
    ScriptedConnection& operator=(const ScriptedConnection&) = delete;

private:
    std::shared_ptr<ScriptedAutomation::State> m_State;
    int m_Number;
};

class ScriptedObject : public IAutoObject {
public:
    ScriptedObject(std::shared_ptr<ScriptedAutomation::State> state, std::string name)
        : m_State(std::move(state)), m_Name(std::move(name)) {
        ++m_State->live;
    }
    ~ScriptedObject() override {
        --m_State->live;
        m_State->released.push_back(m_Name);
    }

    AutoValue Get(std::string_view property) override {
        m_State->calls.push_back({ScriptedAutomation::Kind::Get, m_Name, std::string(property), {}});
        return m_State->Answer(m_Name, property, {});
    }
    void Put(std::string_view property, const AutoValue& value) override {
        m_State->calls.push_back({ScriptedAutomation::Kind::Put, m_Name, std::string(property), {value}});
        m_State->Answer(m_Name, "=" + std::string(property), {value});
    }
    AutoValue Call(std::string_view method, const std::vector<AutoValue>& args) override {
        m_State->calls.push_back({ScriptedAutomation::Kind::Call, m_Name, std::string(method), args});
        return m_State->Answer(m_Name, method, args);
    }
    AutoConnectionPtr Connect(std::string_view eventInterface, AutoEventHandler handler) override {
        m_State->calls.push_back({ScriptedAutomation::Kind::Connect, m_Name, std::string(eventInterface), {}});
        m_State->Answer(m_Name, "Connect", {});
        const int number = m_State->nextConnection++;
        m_State->connections.emplace(number, ScriptedAutomation::State::Connection{m_Name, std::move(handler)});
        return std::make_unique<ScriptedConnection>(m_State, number);
    }
    bool SameAs(IAutoObject& other) override {
        const auto* scripted = dynamic_cast<const ScriptedObject*>(&other);
        return scripted != nullptr && scripted->m_Name == m_Name;
    }

private:
    std::shared_ptr<ScriptedAutomation::State> m_State;
    std::string m_Name;
};

}  // namespace

std::string ScriptedAutomation::Record::ToString() const {
    if (kind == Kind::Create) return "Create(" + member + ")";
    if (kind == Kind::Connect) return object + ".Connect(" + member + ")";
    std::string out = object + "." + member;
    if (kind == Kind::Get) return out;
    if (kind == Kind::Put) return out + " = " + (args.empty() ? std::string("empty") : Describe(args[0]));
    out += "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) out += ", ";
        out += Describe(args[i]);
    }
    return out + ")";
}

ScriptedAutomation::ScriptedAutomation() : m_State(std::make_shared<State>()) {}

void ScriptedAutomation::CreateGives(std::string name) {
    m_State->createName = std::move(name);
    m_State->createError.reset();
}

void ScriptedAutomation::CreateFails(AppError error) { m_State->createError = std::move(error); }

void ScriptedAutomation::AnswerWith(const std::string& object, const std::string& member, Handler handler) {
    auto& answers = m_State->script[object + "." + ascii::Lower(member)];
    if (answers.lastUsed) answers.queue.clear();
    answers.lastUsed = false;
    answers.queue.push_back(std::move(handler));
}

void ScriptedAutomation::Answer(const std::string& object, const std::string& member, AutoValue value) {
    AnswerWith(object, member, [value](const std::vector<AutoValue>&) { return value; });
}

void ScriptedAutomation::AnswerObject(const std::string& object, const std::string& member, std::string name) {
    AnswerWith(object, member, [this, name](const std::vector<AutoValue>&) { return Hand(name); });
}

void ScriptedAutomation::Fail(const std::string& object, const std::string& member, AppError error) {
    AnswerWith(object, member, [error](const std::vector<AutoValue>&) -> AutoValue { throw error; });
}

AutoValue ScriptedAutomation::Hand(std::string name) {
    return AutoObjectPtr(std::make_shared<ScriptedObject>(m_State, std::move(name)));
}

void ScriptedAutomation::Fire(const std::string& object, std::int32_t dispatchId, const std::vector<AutoValue>& args) {
    // A handler may drop its own or another connection: each is looked up afresh.
    for (int number = 0; number < m_State->nextConnection; ++number) {
        const auto it = m_State->connections.find(number);
        if (it == m_State->connections.end() || it->second.object != object) continue;
        const AutoEventHandler handler = it->second.handler;
        handler(dispatchId, args);
    }
}

int ScriptedAutomation::Connections(const std::string& object) const {
    int count = 0;
    for (const auto& [number, connection] : m_State->connections) count += connection.object == object ? 1 : 0;
    return count;
}

const std::vector<ScriptedAutomation::Record>& ScriptedAutomation::Calls() const { return m_State->calls; }

std::vector<std::string> ScriptedAutomation::CallStrings() const {
    std::vector<std::string> out;
    for (const Record& r : m_State->calls) out.push_back(r.ToString());
    return out;
}

std::vector<std::string> ScriptedAutomation::MemberCalls() const {
    std::vector<std::string> out;
    for (const Record& r : m_State->calls) {
        if (r.kind != Kind::Create) out.push_back(r.ToString());
    }
    return out;
}

const std::vector<std::string>& ScriptedAutomation::Released() const { return m_State->released; }
int ScriptedAutomation::LiveReferences() const { return m_State->live; }
int ScriptedAutomation::Created() const { return m_State->created; }

void ScriptedAutomation::ClearLog() {
    m_State->calls.clear();
    m_State->released.clear();
}

AutoObjectPtr ScriptedAutomation::Create(std::string_view progId) {
    m_State->calls.push_back({Kind::Create, "", std::string(progId), {}});
    if (m_State->createError) throw *m_State->createError;
    ++m_State->created;
    return AsObject(Hand(m_State->createName));
}

}  // namespace platform
