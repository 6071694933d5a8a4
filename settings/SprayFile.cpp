#include "settings/SprayFile.h"

#include "base/FileException.h"
#include "base/String.h"
#include "engine/SPRAYSTYLE.h"
#include "resources/ResourceIds.h"
#include "settings/File.h"
#include "settings/SprayFields.h"

namespace app {

namespace {

[[noreturn]] void FailBroken(const File& file) {
    throw FileException(ErrorBrokenFile, 0, file.FileName());
}

void ClearColourBlock(SPRAYSTYLE& style) {
    style.Color[0] = 0;
    style.Color[1] = 0;
    style.useFore = false;
    style.Coloring = 0;
    style.CycleLength = 0;
}

void WriteField(File& file, const SPRAYFIELD& field, const SPRAYSTYLE& s) {
    if (field.real)
        file.WriteTaggedReal(field.tag, s.*field.real);
    else if (field.integer)
        file.WriteTaggedInt(field.tag, s.*field.integer);
    else if (field.flag)
        file.WriteTaggedBool(field.tag, s.*field.flag);
    else
        file.WriteTaggedPair(field.tag, (s.*field.pair).x, (s.*field.pair).y);
}

void ReadField(File& file, const SPRAYFIELD& field, SPRAYSTYLE& s) {
    if (field.real)
        s.*field.real = file.ReadTaggedReal();
    else if (field.integer)
        s.*field.integer = file.ReadTaggedInt();
    else if (field.flag)
        s.*field.flag = file.ReadTaggedBool();
    else
        file.ReadTaggedPair(&(s.*field.pair).x, &(s.*field.pair).y);
}

// The field of a tag; an unknown tag is a broken file.
const SPRAYFIELD& FieldOf(const File& file, int32_t tag) {
    for (const SPRAYFIELD& field : kSprayFields) {
        if (field.tag == tag)
            return field;
    }
    FailBroken(file);
}

}  // namespace

void SprayFile::WriteHeader(File& file, int32_t count) {
    file.WriteInt(kMagic);
    file.WriteInt(kVersion);
    file.WriteInt(count);
}

int32_t SprayFile::ReadHeader(File& file) {
    if (file.ReadInt() != kMagic)
        FailBroken(file);
    if (file.ReadInt() > kVersion)
        throw FileException(ErrorNewerFile, 0, file.FileName());
    const int32_t count = file.ReadInt();
    if (count < 0)
        FailBroken(file);
    return count;
}

void SprayFile::WritePreset(File& file, const std::string& name, const SPRAYSTYLE& s) {
    file.WriteTaggedText(TagName, name);
    for (const SPRAYFIELD& field : kSprayFields)
        WriteField(file, field, s);
    file.WriteInt(TagEnd);
}

void SprayFile::ReadPreset(File& file, std::string* name, SPRAYSTYLE* style) {
    SPRAYSTYLE read;
    ClearColourBlock(read);
    std::string readName = String::Load(IDS_NO_NAME).ToStdString();
    for (int32_t tag = file.ReadInt(); tag != TagEnd; tag = file.ReadInt()) {
        if (tag == TagName)
            readName = file.ReadTaggedText();
        else
            ReadField(file, FieldOf(file, tag), read);
    }
    read.Validate();
    *name = std::move(readName);
    *style = read;
}

}  // namespace app
