#include "objects/ObjectFiler.h"

namespace velmora {

TDesignObjectRegistry &DesignObjectClasses()
{
    static TDesignObjectRegistry registry;
    return registry;
}

std::unique_ptr<TGGraphicControl> ReadDesignObject(TReader &reader)
{
    const TComponentHeader header = reader.readComponentHeader();
    std::unique_ptr<TGGraphicControl> object = DesignObjectClasses().create(header.className);
    object->SetName(header.name);
    object->SetReading(true);
    reader.readProperties(*object);
    reader.skipChildren();
    object->SetReading(false);
    object->Loaded();
    return object;
}

TBytes TGLabelObjectFiler::WriteObjects(std::span<TGGraphicControl *const> objects)
{
    TWriter writer;
    writer.writeListBegin();
    for (const TGGraphicControl *object : objects)
        writer.writeComponent(*object, object->Name());
    writer.writeListEnd();
    return writer.takeBytes();
}

std::vector<std::unique_ptr<TGGraphicControl>>
TGLabelObjectFiler::ReadObjects(std::span<const uint8_t> bytes)
{
    TReader reader(bytes);
    std::vector<std::unique_ptr<TGGraphicControl>> objects;
    reader.readListBegin();
    while (!reader.atEndOfList())
        objects.push_back(ReadDesignObject(reader));
    reader.readListEnd();
    return objects;
}

} // namespace velmora
