// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/menus/web_menu.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/desktop.h"
#include "ui/common/fonts.h"
#include "ui/common/keyboard.h"
#include "ui/common/look.h"
#include "ui/common/program_info.h"
#include "ui/common/window_placement.h"
#include "ui/menus/web_links.h"

namespace {

const QString ArtWebMenu = QStringLiteral("web-menu.jpg");
const QString ArtAboutBackground = QStringLiteral("about-background.jpg");
constexpr int LinksButtonLeft = 100; // the main window's links button

} // namespace

// ---- TWebMenu -------------------------------------------------------------------------

TWebMenu::TWebMenu(QWidget* main) : TBorderlessWindow(TWindowRole::PopUp), MainWindow(main) {
    setObjectName(QStringLiteral("WebMenu"));
    setWindowTitle(QStringLiteral("Lunar Web Sites"));
    SetBackgroundArt(ArtWebMenu);
    setMouseTracking(true);
    EntryArrow = new QLabel(this);
    EntryArrow->setObjectName(QStringLiteral("imgArrow"));
    EntryArrow->setPixmap(LoadArtPixmap(ArtMenuArrow));
    EntryArrow->adjustSize();
    EntryArrow->setAttribute(Qt::WA_TransparentForMouseEvents);
    EntryArrow->hide();
    for (int link = 0; link < static_cast<int>(WebLinks.size()); ++link)
        if (*WebLinks[link].Address && EntryTop(link) >= 0)
            AddHintArea({0, EntryTop(link), width(), EntryHeight},
                        QString::fromLatin1(WebLinks[link].Address));
}

void TWebMenu::Open() {
    if (MainWindow) PlaceAt(*MainWindow, {LinksButtonLeft, CascadeDrop});
    EntryArrow->move(7, EntryArrow->y());
    show();
    raise();
    activateWindow();
}

int TWebMenu::EntryTop(int link) {
    if (WebLinks[link].Hidden) return -1;
    int row = 0;
    for (int k = 0; k < link; ++k)
        if (!WebLinks[k].Hidden) ++row;
    return row * EntryHeight;
}

int TWebMenu::EntryAt(QPoint pos) {
    if (pos.x() < 0 || pos.y() < 0) return -1;
    for (int link = 0; link < static_cast<int>(WebLinks.size()); ++link) {
        const int top = EntryTop(link);
        if (top >= 0 && pos.y() >= top && pos.y() < top + EntryHeight) return link;
    }
    return -1;
}

bool TWebMenu::IsLink(int link) {
    return link >= 0 && *WebLinks[link].Address && !WebLinks[link].Hidden;
}

void TWebMenu::PointAt(int link) {
    if (IsLink(link)) {
        EntryArrow->move(EntryArrow->x(), EntryTop(link));
        EntryArrow->show();
    } else {
        EntryArrow->hide(); // over a heading
    }
    Pointed = EntryArrow->isVisible() ? link : -1;
}

void TWebMenu::mouseMoveEvent(QMouseEvent* event) {
    PointAt(EntryAt(event->position().toPoint()));
    TBorderlessWindow::mouseMoveEvent(event);
}

void TWebMenu::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OpenLink(EntryAt(event->position().toPoint()));
}

void TWebMenu::keyPressEvent(QKeyEvent* event) {
    if (!MenuKeyPress(
            *event, Pointed, static_cast<int>(WebLinks.size()), [this](int link) { PointAt(link); },
            [this](int link) { OpenLink(link); }, IsLink))
        TBorderlessWindow::keyPressEvent(event);
}

void TWebMenu::OpenLink(int link) {
    if (!IsLink(link)) return;
    // The menu stays until it loses activation, as the browser takes it.
    (void)OpenOnDesktop(this, QUrl(QString::fromLatin1(WebLinks[link].Address)),
                        QString::fromLatin1(WebLinks[link].Caption));
}

QList<TShownText> TWebMenu::ShownTexts() {
    QList<TShownText> texts;
    for (int link = 0; link < static_cast<int>(WebLinks.size()); ++link) {
        if (EntryTop(link) < 0) continue;
        TShownText text{{0, EntryTop(link), width(), EntryHeight},
                        QString::fromLatin1(WebLinks[link].Caption)};
        if (*WebLinks[link].Address) {
            text.Caption = QString::fromLatin1(WebLinks[link].Address);
            text.Choose = [this, link] { OpenLink(link); };
        }
        texts.append(text);
    }
    return texts;
}

// ---- TAbout ---------------------------------------------------------------------------

TAbout::TAbout(QWidget* main) : TBorderlessWindow(TWindowRole::Normal), MainWindow(main) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About Tidewell"));
    SetBackgroundArt(ArtAboutBackground);
    AddTitleArea({40, 8, 150, 26});
    AddExitArea({204, 14, 15, 13}, QStringLiteral("Close this window"));
    VersionLabel = new QLabel(ProgramVersionCaption, this);
    VersionLabel->setObjectName(QStringLiteral("lblVersion"));
    VersionLabel->hide();
}

void TAbout::Open() {
    if (MainWindow) CentreOver(*MainWindow);
    show();
    raise();
    activateWindow();
}

void TAbout::PaintOver(QPainter& painter) {
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(PixelFont(ArialFamily, 13, true));
    painter.setPen(Aqua);
    const QString version = ProgramVersionCaption.section(QLatin1Char(' '), 1);
    painter.drawText(QRect(118, 104, 96, 20), Qt::AlignCenter,
                     QStringLiteral("Version ") + version);
    // The licence, on the panel under the Moon.
    painter.setFont(PixelFont(ArialFamily, 10));
    painter.setPen(PanelText);
    painter.drawText(QRect(14, 155, 202, 14), Qt::AlignCenter,
                     QStringLiteral("Free software: GNU GPL v3 or later"));
}
