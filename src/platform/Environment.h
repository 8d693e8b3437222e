#pragma once
// The process's environment as the programs read it: references to
// variables in a text ("%LOCALAPPDATA%\..." as the registry stores them in
// expandable values, the usual program folders) and the folder for
// temporary files. Texts are UTF-8.
#include <string>
#include <string_view>

namespace platform {

class IEnvironment {
public:
    virtual ~IEnvironment() = default;
    // `text` with every %NAME% of a variable that is set (the name in any
    // letter case) replaced by its value; a reference to one that is not set
    // stays as written, percent signs and all. "" when it cannot be expanded.
    virtual std::string Expand(std::string_view text) = 0;
    // The folder for temporary files, ending in "\".
    virtual std::string TemporaryFolder() = 0;
};

}  // namespace platform
