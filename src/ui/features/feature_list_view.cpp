// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/features/feature_list_view.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QPainter>
#include <QScrollBar>

#include "features/data_folder.h"
#include "features/feature_file.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/messages.h"

std::filesystem::path FeatureDataFolder() {
    return FindDataFolder(QCoreApplication::applicationDirPath().toStdString());
}

QComboBox* FeatureFileList(QWidget* parent, const QRect& area) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("cmbDataFiles"));
    list->setGeometry(area);
    list->setFont(ScaledFont(ArialFamily, 8, FontScale(parent)));
    for (std::string_view name : FeatureFileNames)
        list->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    // Wider than its place when the longest name ("Landing Sites") needs it, and so is its
    // drop-down list: every name shows whole.
    list->resize(std::max(area.width(), list->sizeHint().width()), area.height());
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0));
    return list;
}

int FeatureFileIndex(int index) {
    constexpr int Craters = 2;
    return index >= 0 && index < static_cast<int>(FeatureFileNames.size()) ? index : Craters;
}

TFeatureFileLoad LoadFeatureTable(TFeatureTable& table, const QString& displayName) {
    return LoadFeatureFile(table, displayName.toStdString(), FeatureDataFolder());
}

void ReportFeatureFile(const TFeatureFileLoad& load, QWidget* window) {
    if (load.Status == TFeatureFileStatus::Loaded || load.Status == TFeatureFileStatus::NotFound)
        return;
    QString text = QString::fromStdString(FeatureFileProblem(load));
    text[0] = text[0].toUpper();
    ShowMessage(window, text + QLatin1Char('.'));
}

void StripeRows(QPainter& painter, const QRect& well, int rows, int firstRecord) {
    painter.fillRect(well, Qt::black);
    for (int c = 0; c < rows; ++c)
        if ((c + firstRecord) % 2 == 1)
            painter.fillRect(QRect(well.left(), well.top() + FeatureRowHeight * c, well.width(),
                                   FeatureRowHeight),
                             QColor(70, 70, 70));
}

void OpenRowWell(QPainter& painter, const QRect& well, int rows, int firstRecord,
                 const QWidget& window) {
    StripeRows(painter, well, rows, firstRecord);
    painter.save();
    painter.setClipRect(well);
    painter.translate(well.topLeft());
    painter.setFont(ScaledFont(ArialFamily, 8, FontScale(&window)));
    painter.setRenderHint(QPainter::TextAntialiasing);
}

void SizeRowScrollBar(QScrollBar& bar, int records, int visibleRows) {
    bar.setMinimum(0);
    bar.setMaximum(std::max(0, records - visibleRows));
    bar.setPageStep(visibleRows);
    bar.setSingleStep(1);
}
