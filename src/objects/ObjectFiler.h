#pragma once
// Design objects as component records: the registry that recreates them by class name, and
// the filer that writes a list of them and reads it back (object clipboard, clone).
#include "common/ClassRegistry.h"
#include "objects/GGraphc.h"

#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace velmora {

using TDesignObjectRegistry = TClassRegistry<TGGraphicControl>;

// The classes a stream may name. Object classes register here once, before the first page
// reads anything; a later registration under the same name replaces the earlier one.
TDesignObjectRegistry &DesignObjectClasses();

template <class T> void RegisterDesignObject(std::string_view className)
{
    DesignObjectClasses().registerClass<T>(className);
}

// Reads one record's properties into a fresh object of the named class and runs Loaded().
// Throws EReadError for an unknown class or damaged data; nothing is left behind then.
std::unique_ptr<TGGraphicControl> ReadDesignObject(TReader &reader);

class TGLabelObjectFiler
{
public:
    // One list of component records, in the given order.
    static TBytes WriteObjects(std::span<TGGraphicControl *const> objects);
    // Every object of such a list, carrying the names stored with them. All or nothing:
    // damage anywhere throws EReadError.
    static std::vector<std::unique_ptr<TGGraphicControl>>
    ReadObjects(std::span<const uint8_t> bytes);
};

} // namespace velmora
