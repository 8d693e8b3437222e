#pragma once
// Late-bound automation: objects created from a programmatic identifier whose
// properties and methods are reached by name at run time (names resolved
// without regard to letter case). A failing call raises AppError with the
// platform's number and description.
//
// An object's events (those of an event interface it offers, as Internet
// Explorer's DWebBrowserEvents2) reach a handler of the caller's while a
// connection to them is held. They come on the thread that connected,
// while it lets its window messages run (in a wait, or in a call to the
// object), never in the middle of the caller's own code.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform {

class IAutoObject;
using AutoObjectPtr = std::shared_ptr<IAutoObject>;

// Empty, text, 16-bit integer, 32-bit integer, truth value or object. An
// object alternative holding nullptr is "Nothing" and counts as empty.
using AutoValue = std::variant<std::monostate, std::string, std::int16_t, std::int32_t, bool, AutoObjectPtr>;

// An event: its dispatch identifier and its arguments in the order of the
// event's declaration (COM hands them over last first). Arguments passed by
// reference arrive as their values; one of a type AutoValue has no room for
// arrives empty.
using AutoEventHandler = std::function<void(std::int32_t dispatchId, const std::vector<AutoValue>& args)>;

// Held while the events are wanted; dropping it ends them, and the handler
// is let go at once even if the object still holds on to the receiver.
class IAutoConnection {
public:
    virtual ~IAutoConnection() = default;
};
using AutoConnectionPtr = std::unique_ptr<IAutoConnection>;

// One reference to an automation object; dropping the last copy releases it.
class IAutoObject {
public:
    virtual ~IAutoObject() = default;
    virtual AutoValue Get(std::string_view property) = 0;
    // Sets a property (a property put, as `object.Visible = True`).
    virtual void Put(std::string_view property, const AutoValue& value) = 0;
    virtual AutoValue Call(std::string_view method, const std::vector<AutoValue>& args = {}) = 0;
    // The object's events of the event interface `eventInterface` (its
    // identifier in braces, "{34A715A0-6587-11D0-924A-0020AFC7AC4D}") go to
    // `handler`. Raises AppError when the object offers no such events.
    virtual AutoConnectionPtr Connect(std::string_view eventInterface, AutoEventHandler handler) = 0;
    // Whether `other` is a reference to this same object (an event names
    // the object it is about by a reference of its own).
    virtual bool SameAs(IAutoObject& other) = 0;
};

class IAutomation {
public:
    virtual ~IAutomation() = default;
    virtual AutoObjectPtr Create(std::string_view progId) = 0;
};

// The object in `value`, or nullptr when it holds none (empty or Nothing).
AutoObjectPtr AsObject(const AutoValue& value);
// As the classic callers convert an answer to text: empty gives "", numbers
// in decimal, truth values as "Wahr"/"Falsch". An object is a type mismatch.
std::string AsText(const AutoValue& value);
// As a truth value: empty and 0 are false, other numbers true; a text
// "Wahr"/"True" or a number in text as a number. An object is a type mismatch.
bool AsBool(const AutoValue& value);
// As a number: empty gives 0, True -1, a text its leading decimal number
// (0 when it has none). An object is a type mismatch.
std::int32_t AsNumber(const AutoValue& value);

// For logs and test expectations: s"text", i2:5, i4:5, b:true, empty, obj, nothing.
std::string Describe(const AutoValue& value);

}  // namespace platform
