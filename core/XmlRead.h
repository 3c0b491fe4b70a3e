#pragma once
// The one way every loader reads its XML data (TinyXML underneath):
// - integers as sscanf "%d" reads the attribute text; floats as "%lf", stored only on success;
//   a missing or non-numeric attribute leaves the target at its default;
// - optional texts and elements are tested; required ones, when absent, are reported as data
//   problems (core/Diagnostics.h) with the file's name and read as empty, so nothing is ever read
//   through a null element or text;
// - repeated elements are walked in document order, skipping other elements in between.
// Every function accepts a null element and then reads nothing.

#include <string>

class TiXmlDocument;
class TiXmlElement;

namespace xml {

// Reads an integer attribute; true when the target was written.
bool ReadInt(const TiXmlElement* element, const char* name, int& target);
// Reads an unsigned integer attribute through "%d" (so "-1" reads as 4294967295).
bool ReadUnsigned(const TiXmlElement* element, const char* name, unsigned& target);
// Reads a float attribute through a double; true when the target was written.
bool ReadFloat(const TiXmlElement* element, const char* name, float& target);
// Reads the "x" and "y" float attributes of element into x and y, each left as it was when absent.
void ReadXY(const TiXmlElement* element, float& x, float& y);

// The attribute's text, or null when it is absent.
const char* OptionalText(const TiXmlElement* element, const char* name);
// The attribute's text; when absent, logs "<who>: Missing attribute ..." with the file name
// and yields "".
std::string RequiredText(const TiXmlElement* element, const char* name, const char* who);

// First direct child element of that name, or null.
const TiXmlElement* Child(const TiXmlElement* parent, const char* name);
// First direct child of that name; when absent (and parent is not null) logs
// "<who>: Missing element ..." with the file name and yields null.
const TiXmlElement* RequiredChild(const TiXmlElement* parent, const char* name, const char* who);
// Next sibling element of the same name, or null.
const TiXmlElement* Next(const TiXmlElement* element, const char* name);
// The element's text when its first child is a text node, otherwise "".
std::string Text(const TiXmlElement* element);

// Name of the file the element was read from ("" when unknown).
std::string FileOf(const TiXmlElement* element);

// Formats like LogMessage and reports the text as a data problem (see core/Diagnostics.h) at
// the element's file and line; a null element reports with no file and line 0.
void ReportAt(const TiXmlElement* element, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// Loads the document from the file it is named after (a UTF-8 path), as
// TiXmlDocument::LoadFile does (text up to the first zero byte, CR LF and lone CR read as LF),
// with two differences:
// - anything that is not a regular file fails with the library's "Failed to open file"
//   error, as a missing file does: a folder opens as a file on Linux, and on some file
//   systems reports a size near 2^63 that the library would try to allocate;
// - the text handed to the parser ends in several zero bytes: on a character cut off by the
//   end of the text, the library steps over the end by the rest of the character and would
//   read past its buffer.
bool LoadFile(TiXmlDocument& document);

// Parses text held in memory the way LoadFile parses a file's text: up to the first zero
// byte, line ends made LF, and zero bytes after the end so that a character cut off by the
// end cannot lead the library past the buffer. False on a parse error (document.Error()).
bool ParseText(TiXmlDocument& document, const std::string& text);

// The set element ("spriteset", "fontset", ...) as the top-level element of that name or, when
// there is none, as a child of the document's first element; null when neither exists.
const TiXmlElement* FindSetElement(const TiXmlDocument& document, const char* name);

// The document's first element when it has that name, else that element's first child
// element of that name; null when neither exists. Layer set files are found this way.
const TiXmlElement* FirstElementOrChild(const TiXmlDocument& document, const char* name);

// Calls visit(child) for every direct child element of that name, in document order.
template <typename Visit>
void ForEachChild(const TiXmlElement* parent, const char* name, Visit visit) {
    for (const TiXmlElement* child = Child(parent, name); child; child = Next(child, name)) {
        visit(child);
    }
}

}  // namespace xml
