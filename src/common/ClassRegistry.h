#pragma once
// Class names found in component records, mapped to the code that creates such objects.
#include "common/ComponentStream.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace velmora {

// Names compare case-insensitively, as identifiers in the stream do. `Args` are what a
// factory needs besides the class name (an owner, a parent page).
template <class Base = TStreamable, class... Args> class TClassRegistry
{
public:
    using Factory = std::function<std::unique_ptr<Base>(Args...)>;

    // A later registration under the same name replaces the earlier one.
    void registerClass(std::string_view className, Factory factory)
    {
        factories[key(className)] = std::move(factory);
    }

    template <class Derived> void registerClass(std::string_view className)
    {
        registerClass(className, [](Args... args) -> std::unique_ptr<Base> {
            return std::make_unique<Derived>(std::forward<Args>(args)...);
        });
    }

    bool contains(std::string_view className) const { return factories.contains(key(className)); }

    // Throws EReadError "Class X not found" for a name nobody registered.
    std::unique_ptr<Base> create(std::string_view className, Args... args) const
    {
        const auto it = factories.find(key(className));
        if (it == factories.end()) throwClassNotFound(className);
        return it->second(std::forward<Args>(args)...);
    }

private:
    static std::string key(std::string_view name)
    {
        std::string lower(name);
        std::ranges::transform(lower, lower.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        });
        return lower;
    }

    std::map<std::string, Factory> factories;
};

} // namespace velmora
