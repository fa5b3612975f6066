#pragma once
// Layout templates: a Qt Designer document written once for controls that
// repeat (twelve output strips, 31 band columns, 24 speaker markers), and
// expanded at build time into the plain layouts the program loads.
//
// A template file:
//
//   <layout-template>
//     <output file="channel_settings_6in_mixer.xml"><param name="inputs" value="8"/></output>
//     <let name="stripW" value="95"/>
//     <ui version="4.0"> ... </ui>
//   </layout-template>
//
// Each <output> is one generated layout; its params are values the body can
// use. Inside the body:
//
//   <let name="x" value="expr"/>                 a value for the following siblings
//   <repeat var="c" from="expr" to="expr">…      the children once per value, to inclusive
//   <if test="expr">…                            the children when the value is not 0
//   {{expr}}                                     in any attribute or text: the value
//   <widget class=".." name=".." geometry="x,y,w,h" text=".." userdata=".." …>
//                                                shorthand attributes become properties
//   <item text=".."/>                            a combo box item
//   <text-file path="page.qss"/>                 the text of a file beside the template
#include "TemplateExpression.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dravo::layoutgen {

struct Node {
    bool isText = false;
    std::string name;   // element name
    std::string text;   // text node content
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<Node> children;
    long long line = 0;

    const std::string* attribute(const std::string& key) const;
};

struct Output {
    std::string file;
    Values params;
};

struct Template {
    std::vector<Output> outputs;
    std::vector<Node> lets; // top-level values shared by every output
    Node body;              // the <ui> element
};

// `directory` is where the files that <text-file> names are found.
std::optional<Template> readTemplate(const QByteArray& bytes, const QString& directory, std::string& error);

// The layout of one output, as a complete XML document.
std::optional<QByteArray> expand(const Template& layoutTemplate, const Output& output, std::string& error);

} // namespace dravo::layoutgen
