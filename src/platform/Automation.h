#pragma once
// Late-bound automation: objects created from a programmatic identifier whose
// properties and methods are reached by name at run time (names resolved
// without regard to letter case). A failing call raises AppError with the
// platform's number and description.
#include <cstdint>
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

// One reference to an automation object; dropping the last copy releases it.
class IAutoObject {
public:
    virtual ~IAutoObject() = default;
    virtual AutoValue Get(std::string_view property) = 0;
    // Sets a property (a property put, as `object.Visible = True`).
    virtual void Put(std::string_view property, const AutoValue& value) = 0;
    virtual AutoValue Call(std::string_view method, const std::vector<AutoValue>& args = {}) = 0;
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
