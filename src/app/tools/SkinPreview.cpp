// Renders the modal boxes, the main frame and the menus to PNG files at the
// given display scales, so the skin can be looked at without the program or
// a display.
//
//   dravo_skin_preview OUT_DIR [--lang en|cn_zh] [DPI ...]     (default 96 144)
#include "DisplayScale.h"
#include "Languages.h"
#include "LoadingWnd.h"
#include "MsgCheckBoxWnd.h"
#include "MsgWnd.h"
#include "NameMsgWnd.h"
#include "SkinUiLoader.h"
#include "Toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMenu>

#include <cstdio>
#include <memory>

using namespace dravo;

namespace {

bool save(QWidget* w, const QDir& out, const QString& name, int dpi)
{
    w->show();
    QApplication::processEvents();
    const QString file = out.filePath(QStringLiteral("%1_%2.png").arg(name).arg(dpi));
    const bool ok = w->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    w->hide();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: dravo_skin_preview OUT_DIR [--lang en|cn_zh] [DPI ...]\n");
        return 2;
    }
    const QDir out(args.takeFirst());
    out.mkpath(QStringLiteral("."));
    QString language = QStringLiteral("en");
    if (args.size() >= 2 && args.first() == QLatin1String("--lang")) {
        args.removeFirst();
        language = args.takeFirst();
    }
    QList<int> dpis;
    for (const QString& a : args)
        dpis.append(a.toInt());
    if (dpis.isEmpty())
        dpis = {96, 144};

    if (!InitToolkit())
        return 1;
    RegisterLanguage(QStringLiteral("lan/lan_en.xml"), QStringLiteral("en"));
    RegisterLanguage(QStringLiteral("lan/lan_cn.xml"), QStringLiteral("cn_zh"));
    SetLanguage(language);

    bool ok = true;
    for (const int dpi : dpis) {
        SetCurrentDisplayScale(DisplayScale(dpi));
        {
            CMsgWnd box(nullptr);
            box.SetControlText(QStringLiteral("MessageTitle"), QStringLiteral("${tips}"));
            box.SetControlText(QStringLiteral("MessageText"), QStringLiteral("${device_connect_fail}"));
            box.SetButtons({QStringLiteral("${confirm}")}, 1);
            ok &= save(&box, out, QStringLiteral("msg_one"), dpi);
        }
        {
            CMsgWnd box(nullptr);
            box.SetControlText(QStringLiteral("MessageTitle"), QStringLiteral("${tips}"));
            box.SetControlText(QStringLiteral("MessageText"), QStringLiteral("${empty_output_tips}"));
            box.SetButtons({QStringLiteral("${default}"), QStringLiteral("${cancel}"), QStringLiteral("${emptied}")}, 3);
            ok &= save(&box, out, QStringLiteral("msg_three"), dpi);
        }
        {
            CMsgCheckBoxWnd box(nullptr, QStringLiteral("${tips}"), QStringLiteral("${link_tips}"),
                                QStringLiteral("${copy_left_to_right}"), QStringLiteral("${copy_right_to_left}"));
            if (auto* option = box.control<QAbstractButton>(QStringLiteral("check_box_0")))
                option->setChecked(true); // shows the chosen look as well
            ok &= save(&box, out, QStringLiteral("checkbox"), dpi);
        }
        {
            QString name = QStringLiteral("Club");
            CNameMsgWnd box(nullptr, &name, 7);
            ok &= save(&box, out, QStringLiteral("name"), dpi);
        }
        {
            CLoadingWnd box(nullptr, QString());
            ok &= save(&box, out, QStringLiteral("loading"), dpi);
        }
        {
            CModalWnd main(nullptr, QStringLiteral("XML_MAIN"), QStringLiteral("MainWnd"), QStringLiteral("main"));
            ok &= save(&main, out, QStringLiteral("main"), dpi);
        }
        for (const char* menuName : {"option_menu", "scene_menu", "advance_menu", "output_menu"}) {
            std::unique_ptr<QMenu> menu(LoadMenuLayout(QStringLiteral("xml/%1.xml").arg(QLatin1String(menuName))));
            if (!menu) {
                ok = false;
                continue;
            }
            ApplySkinTheme(menu.get());
            menu->adjustSize();
            ok &= save(menu.get(), out, QString::fromLatin1(menuName), dpi);
        }
    }
    ReleaseToolkit();
    return ok ? 0 : 1;
}
