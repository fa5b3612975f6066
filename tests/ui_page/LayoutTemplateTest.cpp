// The layout templates the main page is generated from: their arithmetic,
// and one expansion with every construct a template uses.
#include "LayoutTemplate.h"
#include "TemplateExpression.h"

#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include <map>

namespace dravo::layoutgen {
namespace {

TEST(TemplateExpression, Evaluates)
{
    const Values values{{"c", 2}, {"stripW", 95}};
    const std::pair<const char*, long long> cases[] = {
        {"76 + c * stripW", 266}, {"-3 + 10 / 4", -1},     {"(1 + 2) * 3 % 5", 4},
        {"pick(c, 5, 6, 7)", 7},  {"min(4, c, 9)", 2},     {"max(4, c, 9)", 9},
        {"1 < 2 && 3 >= 3", 1},   {"c == 2 || 0", 1},      {"c != 2", 0},
        {"!c", 0},
    };
    for (const auto& [text, expected] : cases) {
        const ExpressionResult r = evaluate(text, values);
        ASSERT_TRUE(r.value) << text << ": " << r.error;
        EXPECT_EQ(*r.value, expected) << text;
    }
}

TEST(TemplateExpression, RefusesWhatItCannotCompute)
{
    for (const char* text : {"c +", "nobody", "pick(3, 1, 2)", "1 / 0", "4 % (c - 2)", "(1", "max()", "2 $ 3"}) {
        const ExpressionResult r = evaluate(text, {{"c", 2}});
        EXPECT_FALSE(r.value) << text;
        EXPECT_FALSE(r.error.empty()) << text;
    }
}

TEST(LayoutTemplate, ExpandsRepeatsValuesAndShorthands)
{
    const QByteArray source = R"(<?xml version="1.0"?>
<layout-template>
 <output file="a.xml"><param name="wide" value="1"/></output>
 <output file="b.xml"><param name="wide" value="0"/></output>
 <let name="w" value="40"/>
 <ui version="4.0">
  <widget class="QWidget" name="root" geometry="0,0,200,50">
   <repeat var="b" from="0" to="2">
    <let name="x" value="b * w"/>
    <widget class="QLineEdit" name="edit_{{b}}" geometry="x, 0, w - 2, 18" userdata="{{b}}" text="${off}"/>
   </repeat>
   <if test="wide"><widget class="QLabel" name="only_wide"/></if>
   <widget class="QComboBox" name="combo"><repeat var="n" from="1" to="2"><item text="{{n * 6}} dB"/></repeat></widget>
  </widget>
 </ui>
</layout-template>)";
    std::string error;
    const auto parsed = readTemplate(source, {}, error);
    ASSERT_TRUE(parsed) << error;
    ASSERT_EQ(parsed->outputs.size(), 2u);

    // Widget names with their x, user data and text, as the loader will see them.
    struct Seen {
        int x = -1;
        QString userdata, text;
    };
    const auto expandAndRead = [&](const Output& output) {
        const auto bytes = expand(*parsed, output, error);
        EXPECT_TRUE(bytes) << error;
        std::map<QString, Seen> widgets;
        QStringList items;
        QXmlStreamReader xml(bytes.value_or(QByteArray()));
        QString widget, property;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            const QString tag = xml.name().toString();
            EXPECT_NE(tag, QLatin1String("repeat"));
            EXPECT_NE(tag, QLatin1String("let"));
            if (tag == QLatin1String("widget")) {
                widget = xml.attributes().value(QLatin1String("name")).toString();
                widgets[widget];
            } else if (tag == QLatin1String("property")) {
                property = xml.attributes().value(QLatin1String("name")).toString();
            } else if (tag == QLatin1String("x")) {
                widgets[widget].x = xml.readElementText().toInt();
            } else if (tag == QLatin1String("string")) {
                const QString text = xml.readElementText();
                if (property == QLatin1String("userdata"))
                    widgets[widget].userdata = text;
                else if (property == QLatin1String("text") && widget == QLatin1String("combo"))
                    items << text;
                else if (property == QLatin1String("text"))
                    widgets[widget].text = text;
            }
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        return std::pair{widgets, items};
    };

    const auto [wide, items] = expandAndRead(parsed->outputs[0]);
    EXPECT_EQ(wide.at(QStringLiteral("edit_2")).x, 80);
    EXPECT_EQ(wide.at(QStringLiteral("edit_2")).userdata, QStringLiteral("2"));
    EXPECT_EQ(wide.at(QStringLiteral("edit_0")).text, QStringLiteral("${off}"));
    EXPECT_EQ(wide.count(QStringLiteral("only_wide")), 1u);
    EXPECT_EQ(items, (QStringList{QStringLiteral("6 dB"), QStringLiteral("12 dB")}));

    const auto [narrow, unused] = expandAndRead(parsed->outputs[1]);
    EXPECT_EQ(narrow.count(QStringLiteral("only_wide")), 0u);
}

TEST(LayoutTemplate, SaysWhereATemplateIsWrong)
{
    const QByteArray source = R"(<layout-template>
 <output file="a.xml"/>
 <ui>
  <widget class="QWidget" name="root" geometry="0,0,10,nowhere"/>
 </ui>
</layout-template>)";
    std::string error;
    const auto parsed = readTemplate(source, {}, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_FALSE(expand(*parsed, parsed->outputs[0], error));
    EXPECT_NE(error.find("line 4"), std::string::npos) << error;
    EXPECT_NE(error.find("nowhere"), std::string::npos) << error;
}

} // namespace
} // namespace dravo::layoutgen
