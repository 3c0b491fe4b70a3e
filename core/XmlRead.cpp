#include "core/XmlRead.h"

#include <tinyxml.h>

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/DataLayers.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "platform/FileSystem.h"

namespace xml {
namespace {

// Zero bytes after the text: more than the longest step the parser takes past a zero byte
// (the rest of a four-byte character).
constexpr size_t kEndPadding = 4;

// CR LF and a lone CR become LF, as the library reads files.
std::string UnixLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
    }
    return out;
}

}  // namespace

bool ReadInt(const TiXmlElement* element, const char* name, int& target) {
    if (!element) {
        return false;
    }
    int value = 0;
    if (element->QueryIntAttribute(name, &value) != TIXML_SUCCESS) {
        return false;
    }
    target = value;
    return true;
}

bool ReadUnsigned(const TiXmlElement* element, const char* name, unsigned& target) {
    int value = 0;
    if (!ReadInt(element, name, value)) {
        return false;
    }
    target = static_cast<unsigned>(value);
    return true;
}

bool ReadFloat(const TiXmlElement* element, const char* name, float& target) {
    if (!element) {
        return false;
    }
    double value = 0.0;
    if (element->QueryDoubleAttribute(name, &value) != TIXML_SUCCESS) {
        return false;
    }
    target = static_cast<float>(value);
    return true;
}

void ReadXY(const TiXmlElement* element, float& x, float& y) {
    ReadFloat(element, "x", x);
    ReadFloat(element, "y", y);
}

const char* OptionalText(const TiXmlElement* element, const char* name) {
    return element ? element->Attribute(name) : nullptr;
}

std::string RequiredText(const TiXmlElement* element, const char* name, const char* who) {
    if (!element) {
        return std::string();
    }
    const char* text = element->Attribute(name);
    if (!text) {
        ReportAt(element, "%s: Missing attribute \"%s\" of <%s> in %s\n", who, name,
                 element->Value(), FileOf(element).c_str());
        return std::string();
    }
    return text;
}

const TiXmlElement* Child(const TiXmlElement* parent, const char* name) {
    return parent ? parent->FirstChildElement(name) : nullptr;
}

const TiXmlElement* RequiredChild(const TiXmlElement* parent, const char* name, const char* who) {
    const TiXmlElement* child = Child(parent, name);
    if (parent && !child) {
        ReportAt(parent, "%s: Missing element <%s> in <%s> of %s\n", who, name, parent->Value(),
                 FileOf(parent).c_str());
    }
    return child;
}

const TiXmlElement* Next(const TiXmlElement* element, const char* name) {
    return element ? element->NextSiblingElement(name) : nullptr;
}

std::string Text(const TiXmlElement* element) {
    const char* text = element ? element->GetText() : nullptr;
    return text ? std::string(text) : std::string();
}

std::string FileOf(const TiXmlElement* element) {
    const TiXmlDocument* document = element ? element->GetDocument() : nullptr;
    return document && document->Value() ? std::string(document->Value()) : std::string();
}

void ReportAt(const TiXmlElement* element, const char* format, ...) {
    char buffer[LOG_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    Diagnostics::Current().Report(FileOf(element), element ? element->Row() : 0, buffer);
}

bool LoadFile(TiXmlDocument& document) {
    // The data path is looked up through the layers: a mod's file opens in place of the base's.
    const std::filesystem::path path =
        platform::NativePath(DataLayers::Active().Resolve(document.Value()));
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error)) {
        file.open(path, std::ios::binary);
    }
    if (!file.is_open()) {
        document.SetError(TiXmlBase::TIXML_ERROR_OPENING_FILE, nullptr, nullptr,
                          TIXML_ENCODING_UNKNOWN);
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return ParseText(document, bytes);
}

bool ParseText(TiXmlDocument& document, const std::string& text) {
    std::string padded = UnixLineEnds(text.substr(0, text.find('\0')));
    padded.append(kEndPadding, '\0');
    document.Parse(padded.c_str());
    return !document.Error();
}

const TiXmlElement* FindSetElement(const TiXmlDocument& document, const char* name) {
    const TiXmlElement* set = document.FirstChildElement(name);
    if (set) {
        return set;
    }
    const TiXmlElement* first = document.FirstChildElement();
    return first ? first->FirstChildElement(name) : nullptr;
}

const TiXmlElement* FirstElementOrChild(const TiXmlDocument& document, const char* name) {
    const TiXmlElement* first = document.FirstChildElement();
    if (first && first->ValueStr() == name) {
        return first;
    }
    return first ? first->FirstChildElement(name) : nullptr;
}

}  // namespace xml
