#include "LayoutTemplate.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstring>

namespace dravo::layoutgen {
namespace {

// How a shorthand attribute of <widget> is written as a Designer property.
enum class PropertyForm { String, DynamicString, Rect, Bool, Number, Enum, Set };

struct Shorthand {
    const char* attribute;
    const char* property;
    PropertyForm form;
};

constexpr Shorthand kShorthands[] = {
    {"geometry", "geometry", PropertyForm::Rect},
    {"text", "text", PropertyForm::String},
    {"tip", "toolTip", PropertyForm::String},
    {"placeholder", "placeholderText", PropertyForm::String},
    {"userdata", "userdata", PropertyForm::DynamicString},
    {"role", "skinRole", PropertyForm::DynamicString},
    {"image", "image", PropertyForm::DynamicString},
    {"selectedimage", "selectedimage", PropertyForm::DynamicString},
    {"hotimage", "hotimage", PropertyForm::DynamicString},
    {"steparrows", "stepArrows", PropertyForm::DynamicString},
    {"focus", "focusPolicy", PropertyForm::Enum},
    {"orientation", "orientation", PropertyForm::Enum},
    {"align", "alignment", PropertyForm::Set},
    {"checkable", "checkable", PropertyForm::Bool},
    {"checked", "checked", PropertyForm::Bool},
    {"visible", "visible", PropertyForm::Bool},
    {"enabled", "enabled", PropertyForm::Bool},
    {"scaledcontents", "scaledContents", PropertyForm::Bool},
    {"min", "minimum", PropertyForm::Number},
    {"max", "maximum", PropertyForm::Number},
    {"value", "value", PropertyForm::Number},
    {"maxlength", "maxLength", PropertyForm::Number},
    {"style", "styleSheet", PropertyForm::String},
};

const Shorthand* shorthand(const std::string& attribute)
{
    for (const Shorthand& s : kShorthands)
        if (attribute == s.attribute)
            return &s;
    return nullptr;
}

Node element(const std::string& name, std::vector<Node> children = {})
{
    Node n;
    n.name = name;
    n.children = std::move(children);
    return n;
}

Node textNode(const std::string& text)
{
    Node n;
    n.isText = true;
    n.text = text;
    return n;
}

Node valueElement(const std::string& name, const std::string& value)
{
    return element(name, {textNode(value)});
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

class Expander {
public:
    explicit Expander(std::string& error) : mError(error) {}

    bool children(const std::vector<Node>& in, Values scope, std::vector<Node>& out)
    {
        for (const Node& n : in)
            if (!node(n, scope, out))
                return false;
        return true;
    }

    bool let(const Node& n, Values& scope)
    {
        const std::string* name = n.attribute("name");
        const std::string* value = n.attribute("value");
        if (!name || !value)
            return fail(n, "<let> needs name and value");
        const std::optional<long long> v = number(n, *value, scope);
        if (!v)
            return false;
        scope[*name] = *v;
        return true;
    }

private:
    bool fail(const Node& n, const std::string& why)
    {
        mError = "line " + std::to_string(n.line) + ": " + why;
        return false;
    }

    std::optional<long long> number(const Node& n, const std::string& expression, const Values& scope)
    {
        const ExpressionResult r = evaluate(expression, scope);
        if (!r.value)
            fail(n, r.error);
        return r.value;
    }

    std::optional<std::string> text(const Node& n, const std::string& in, const Values& scope)
    {
        std::string why;
        std::optional<std::string> out = substitute(in, scope, why);
        if (!out)
            fail(n, why);
        return out;
    }

    bool node(const Node& n, Values& scope, std::vector<Node>& out)
    {
        if (n.isText) {
            const auto t = text(n, n.text, scope);
            if (!t)
                return false;
            out.push_back(textNode(*t));
            return true;
        }
        if (n.name == "let")
            return let(n, scope);
        if (n.name == "repeat")
            return repeat(n, scope, out);
        if (n.name == "if")
            return when(n, scope, out);
        return copy(n, scope, out);
    }

    bool repeat(const Node& n, const Values& scope, std::vector<Node>& out)
    {
        const std::string* var = n.attribute("var");
        const std::string* from = n.attribute("from");
        const std::string* to = n.attribute("to");
        if (!var || !from || !to)
            return fail(n, "<repeat> needs var, from and to");
        const auto first = number(n, *from, scope);
        const auto last = first ? number(n, *to, scope) : std::nullopt;
        if (!last)
            return false;
        for (long long i = *first; i <= *last; ++i) {
            Values inner = scope;
            inner[*var] = i;
            if (!children(n.children, inner, out))
                return false;
        }
        return true;
    }

    bool when(const Node& n, const Values& scope, std::vector<Node>& out)
    {
        const std::string* test = n.attribute("test");
        if (!test)
            return fail(n, "<if> needs test");
        const auto v = number(n, *test, scope);
        if (!v)
            return false;
        return *v == 0 || children(n.children, scope, out);
    }

    bool property(const Node& n, const Shorthand& s, const std::string& value, const Values& scope,
                  std::vector<Node>& out)
    {
        Node p = element("property");
        p.attributes.push_back({"name", s.property});
        switch (s.form) {
        case PropertyForm::String:
            p.children.push_back(valueElement("string", value));
            break;
        case PropertyForm::DynamicString:
            p.attributes.push_back({"stdset", "0"});
            p.children.push_back(valueElement("string", value));
            break;
        case PropertyForm::Bool:
            if (value != "true" && value != "false")
                return fail(n, std::string(s.attribute) + " must be true or false");
            p.children.push_back(valueElement("bool", value));
            break;
        case PropertyForm::Number: {
            const auto v = number(n, value, scope);
            if (!v)
                return false;
            p.children.push_back(valueElement("number", std::to_string(*v)));
            break;
        }
        case PropertyForm::Enum:
            p.children.push_back(valueElement("enum", value));
            break;
        case PropertyForm::Set:
            p.children.push_back(valueElement("set", value));
            break;
        case PropertyForm::Rect: {
            const std::vector<std::string> parts = split(value, ',');
            if (parts.size() != 4)
                return fail(n, "geometry needs x,y,w,h: " + value);
            Node rect = element("rect");
            const char* names[] = {"x", "y", "width", "height"};
            for (int i = 0; i < 4; ++i) {
                const auto v = number(n, parts[static_cast<std::size_t>(i)], scope);
                if (!v)
                    return false;
                rect.children.push_back(valueElement(names[i], std::to_string(*v)));
            }
            p.children.push_back(std::move(rect));
            break;
        }
        }
        out.push_back(std::move(p));
        return true;
    }

    bool copy(const Node& n, Values& scope, std::vector<Node>& out)
    {
        Node copied = element(n.name);
        copied.line = n.line;
        std::vector<Node> properties;
        for (const auto& [key, raw] : n.attributes) {
            const auto value = text(n, raw, scope);
            if (!value)
                return false;
            const bool widget = n.name == "widget";
            if (widget && (key == "class" || key == "name")) {
                copied.attributes.push_back({key, *value});
            } else if (widget && shorthand(key)) {
                if (!property(n, *shorthand(key), *value, scope, properties))
                    return false;
            } else if (n.name == "item" && key == "text") {
                property(n, *shorthand("text"), *value, scope, properties);
            } else if (widget) {
                return fail(n, "unknown widget attribute " + key);
            } else {
                copied.attributes.push_back({key, *value});
            }
        }
        copied.children = std::move(properties);
        Values inner = scope;
        if (!children(n.children, inner, copied.children))
            return false;
        out.push_back(std::move(copied));
        return true;
    }

    std::string& mError;
};

bool parse(QXmlStreamReader& xml, Node& into)
{
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            Node child;
            child.name = xml.name().toString().toStdString();
            child.line = xml.lineNumber();
            for (const QXmlStreamAttribute& a : xml.attributes())
                child.attributes.push_back({a.name().toString().toStdString(), a.value().toString().toStdString()});
            if (!parse(xml, child))
                return false;
            into.children.push_back(std::move(child));
            break;
        }
        case QXmlStreamReader::EndElement:
            return true;
        case QXmlStreamReader::Characters:
            if (!xml.isWhitespace())
                into.children.push_back(textNode(xml.text().toString().toStdString()));
            break;
        default:
            break;
        }
    }
    return !xml.hasError();
}

void write(QXmlStreamWriter& xml, const Node& n)
{
    if (n.isText) {
        xml.writeCharacters(QString::fromStdString(n.text));
        return;
    }
    const bool onlyText = n.children.size() == 1 && n.children[0].isText;
    if (n.children.empty()) {
        xml.writeEmptyElement(QString::fromStdString(n.name));
    } else {
        xml.writeStartElement(QString::fromStdString(n.name));
    }
    for (const auto& [key, value] : n.attributes)
        xml.writeAttribute(QString::fromStdString(key), QString::fromStdString(value));
    if (n.children.empty())
        return;
    if (onlyText) {
        xml.writeCharacters(QString::fromStdString(n.children[0].text));
    } else {
        for (const Node& child : n.children)
            write(xml, child);
    }
    xml.writeEndElement();
}

// Replaces every <text-file path=".."/> by the file's text.
bool inlineTextFiles(Node& n, const QDir& directory, std::string& error)
{
    for (Node& child : n.children) {
        if (child.isText)
            continue;
        if (child.name != "text-file") {
            if (!inlineTextFiles(child, directory, error))
                return false;
            continue;
        }
        const std::string* path = child.attribute("path");
        QFile file(path ? directory.filePath(QString::fromStdString(*path)) : QString());
        if (!path || !file.open(QIODevice::ReadOnly)) {
            error = "line " + std::to_string(child.line) + ": cannot read the text file " + (path ? *path : "");
            return false;
        }
        child = textNode(QString::fromUtf8(file.readAll()).toStdString());
    }
    return true;
}

} // namespace

const std::string* Node::attribute(const std::string& key) const
{
    for (const auto& [k, v] : attributes)
        if (k == key)
            return &v;
    return nullptr;
}

std::optional<Template> readTemplate(const QByteArray& bytes, const QString& directory, std::string& error)
{
    QXmlStreamReader xml(bytes);
    Node document;
    if (!parse(xml, document) || xml.hasError()) {
        error = "line " + std::to_string(xml.lineNumber()) + ": " + xml.errorString().toStdString();
        return std::nullopt;
    }
    if (!inlineTextFiles(document, QDir(directory), error))
        return std::nullopt;
    if (document.children.size() != 1 || document.children[0].name != "layout-template") {
        error = "the document is not a <layout-template>";
        return std::nullopt;
    }
    Template t;
    bool haveBody = false;
    for (const Node& n : document.children[0].children) {
        if (n.name == "output") {
            Output o;
            const std::string* file = n.attribute("file");
            if (!file) {
                error = "line " + std::to_string(n.line) + ": <output> needs file";
                return std::nullopt;
            }
            o.file = *file;
            for (const Node& p : n.children) {
                const std::string* name = p.attribute("name");
                const std::string* value = p.attribute("value");
                const ExpressionResult v = value ? evaluate(*value, {}) : ExpressionResult{};
                if (p.name != "param" || !name || !v.value) {
                    error = "line " + std::to_string(p.line) + ": <param name=.. value=number/> expected";
                    return std::nullopt;
                }
                o.params[*name] = *v.value;
            }
            t.outputs.push_back(std::move(o));
        } else if (n.name == "let") {
            t.lets.push_back(n);
        } else if (n.name == "ui" && !haveBody) {
            t.body = n;
            haveBody = true;
        } else {
            error = "line " + std::to_string(n.line) + ": unexpected <" + n.name + ">";
            return std::nullopt;
        }
    }
    if (!haveBody || t.outputs.empty()) {
        error = "a template needs an <output> and a <ui>";
        return std::nullopt;
    }
    return t;
}

std::optional<QByteArray> expand(const Template& layoutTemplate, const Output& output, std::string& error)
{
    Expander expander(error);
    Values scope = output.params;
    for (const Node& let : layoutTemplate.lets)
        if (!expander.let(let, scope))
            return std::nullopt;
    std::vector<Node> body;
    if (!expander.children({layoutTemplate.body}, scope, body))
        return std::nullopt;

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeComment(QStringLiteral(" Generated from a layout template; edit the template, not this file. "));
    for (const Node& n : body)
        write(xml, n);
    xml.writeEndDocument();
    return bytes;
}

} // namespace dravo::layoutgen
