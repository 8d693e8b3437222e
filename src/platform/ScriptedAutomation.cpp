#include "platform/ScriptedAutomation.h"

#include <optional>

namespace platform {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace

struct ScriptedAutomation::State {
    std::vector<Record> calls;
    std::vector<std::string> released;
    struct Answers {
        std::deque<Handler> queue;
        bool lastUsed = false;  // a new answer then replaces the one that stayed
    };
    std::map<std::string, Answers> script;  // key: object + '.' + lower-case member
    std::string createName = "app";
    std::optional<AppError> createError;
    int live = 0;
    int created = 0;

    AutoValue Answer(const std::string& object, std::string_view member, const std::vector<AutoValue>& args) {
        auto it = script.find(object + "." + Lower(member));
        if (it == script.end() || it->second.queue.empty()) return {};
        auto& answers = it->second;
        Handler handler = answers.queue.front();
        if (answers.queue.size() > 1) answers.queue.pop_front();
        else answers.lastUsed = true;
        return handler(args);
    }
};

namespace {

class ScriptedObject : public IAutoObject {
public:
    ScriptedObject(std::shared_ptr<ScriptedAutomation::State> state, std::string name)
        : state_(std::move(state)), name_(std::move(name)) {
        ++state_->live;
    }
    ~ScriptedObject() override {
        --state_->live;
        state_->released.push_back(name_);
    }

    AutoValue Get(std::string_view property) override {
        state_->calls.push_back({ScriptedAutomation::Kind::Get, name_, std::string(property), {}});
        return state_->Answer(name_, property, {});
    }
    AutoValue Call(std::string_view method, const std::vector<AutoValue>& args) override {
        state_->calls.push_back({ScriptedAutomation::Kind::Call, name_, std::string(method), args});
        return state_->Answer(name_, method, args);
    }

private:
    std::shared_ptr<ScriptedAutomation::State> state_;
    std::string name_;
};

}  // namespace

std::string ScriptedAutomation::Record::ToString() const {
    if (kind == Kind::Create) return "Create(" + member + ")";
    std::string out = object + "." + member;
    if (kind == Kind::Get) return out;
    out += "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0) out += ", ";
        out += Describe(args[i]);
    }
    return out + ")";
}

ScriptedAutomation::ScriptedAutomation() : state_(std::make_shared<State>()) {}

void ScriptedAutomation::CreateGives(std::string name) {
    state_->createName = std::move(name);
    state_->createError.reset();
}

void ScriptedAutomation::CreateFails(AppError error) { state_->createError = std::move(error); }

void ScriptedAutomation::AnswerWith(const std::string& object, const std::string& member, Handler handler) {
    auto& answers = state_->script[object + "." + Lower(member)];
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
    return AutoObjectPtr(std::make_shared<ScriptedObject>(state_, std::move(name)));
}

const std::vector<ScriptedAutomation::Record>& ScriptedAutomation::Calls() const { return state_->calls; }

std::vector<std::string> ScriptedAutomation::CallStrings() const {
    std::vector<std::string> out;
    for (const Record& r : state_->calls) out.push_back(r.ToString());
    return out;
}

std::vector<std::string> ScriptedAutomation::MemberCalls() const {
    std::vector<std::string> out;
    for (const Record& r : state_->calls) {
        if (r.kind != Kind::Create) out.push_back(r.ToString());
    }
    return out;
}

const std::vector<std::string>& ScriptedAutomation::Released() const { return state_->released; }
int ScriptedAutomation::LiveReferences() const { return state_->live; }
int ScriptedAutomation::Created() const { return state_->created; }

void ScriptedAutomation::ClearLog() {
    state_->calls.clear();
    state_->released.clear();
}

AutoObjectPtr ScriptedAutomation::Create(std::string_view progId) {
    state_->calls.push_back({Kind::Create, "", std::string(progId), {}});
    if (state_->createError) throw *state_->createError;
    ++state_->created;
    return AsObject(Hand(state_->createName));
}

}  // namespace platform
