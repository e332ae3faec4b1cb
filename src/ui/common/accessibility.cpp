// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/accessibility.h"

#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include "ui/common/borderless_window.h"
#include "ui/common/click_label.h"

namespace {

QList<TShownText> ShownTextsOf(QWidget* owner) {
    auto* source = dynamic_cast<TShownTexts*>(owner);
    return source != nullptr ? source->ShownTexts() : QList<TShownText>();
}

// A label over a painted glyph or caption: a button when a click does something there.
class TAccessibleClickLabel : public QAccessibleWidget {
  public:
    explicit TAccessibleClickLabel(TClickLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    [[nodiscard]] TClickLabel* Label() const { return static_cast<TClickLabel*>(widget()); }

    // A button needs a name; an empty cell of the calendar is no button.
    [[nodiscard]] bool IsButton() const {
        return Label()->Pressable() && !text(QAccessible::Name).trimmed().isEmpty();
    }

    QAccessible::Role role() const override {
        return IsButton() ? QAccessible::Button : QAccessible::StaticText;
    }

    QString text(QAccessible::Text which) const override {
        const QString caption = Label()->text();
        const bool namedByHint = Label()->accessibleName().isEmpty() && caption.isEmpty();
        if (which == QAccessible::Name) {
            if (!Label()->accessibleName().isEmpty()) return Label()->accessibleName();
            return namedByHint ? Label()->toolTip() : caption;
        }
        if (which == QAccessible::Description && namedByHint)
            return Label()->accessibleDescription();
        return QAccessibleWidget::text(which);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (IsButton()) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override {
        if (action != pressAction() || !IsButton()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Later, as a button's own press does: the window it opens may run a loop of its
        // own, and the reader waits for the answer meanwhile.
        QMetaObject::invokeMethod(Label(), &TClickLabel::Press, Qt::QueuedConnection);
    }
};

// One painted text of a widget, a child of the widget's own description.
class TAccessibleShownText : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    TAccessibleShownText(QWidget* owner, int index) : Owner(owner), Index(index) {}

    [[nodiscard]] bool isValid() const override {
        return Owner && Index < ShownTextsOf(Owner).size();
    }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override {
        return Owner ? Owner->window()->windowHandle() : nullptr;
    }
    [[nodiscard]] QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(Owner.data());
    }
    [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    [[nodiscard]] QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    [[nodiscard]] QAccessible::Role role() const override {
        const TShownText shown = Shown();
        if (!shown.Choose) return QAccessible::StaticText;
        return shown.Button ? QAccessible::Button : QAccessible::ListItem;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    [[nodiscard]] QStringList actionNames() const override {
        return Shown().Choose ? QStringList{pressAction()} : QStringList();
    }

    void doAction(const QString& action) override {
        const TShownText shown = Shown();
        if (action != pressAction() || !shown.Choose || !Owner) return;
        QMetaObject::invokeMethod(Owner.data(), shown.Choose, Qt::QueuedConnection);
    }

    [[nodiscard]] QStringList keyBindingsForAction(const QString&) const override { return {}; }

    [[nodiscard]] QString text(QAccessible::Text which) const override {
        const TShownText shown = Shown();
        if (which == QAccessible::Name) return shown.Text;
        if (which == QAccessible::Description) return shown.Caption;
        return {};
    }

    [[nodiscard]] QRect rect() const override {
        if (!Owner) return {};
        const QRect area = Shown().Area;
        return {Owner->mapToGlobal(area.topLeft()), area.size()};
    }

    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !Owner || !Owner->isVisible();
        return state;
    }

    [[nodiscard]] const QWidget* OwnerWidget() const { return Owner.data(); }
    [[nodiscard]] int ItemIndex() const { return Index; }

  private:
    [[nodiscard]] TShownText Shown() const {
        const QList<TShownText> texts = ShownTextsOf(Owner);
        return Index < texts.size() ? texts[Index] : TShownText{};
    }

    QPointer<QWidget> Owner;
    int Index;
};

// One of the program's windows (a frame named by its title), or a part of a window that
// paints texts: its child widgets, then its painted texts.
class TAccessibleTextPainter : public QAccessibleWidget {
  public:
    explicit TAccessibleTextPainter(QWidget* owner)
        : QAccessibleWidget(owner, owner->isWindow() ? QAccessible::Window : QAccessible::Client) {}

    ~TAccessibleTextPainter() override {
        for (const QAccessible::Id id : Items)
            QAccessible::deleteAccessibleInterface(id);
    }

    [[nodiscard]] int childCount() const override {
        return QAccessibleWidget::childCount() + static_cast<int>(ShownTextsOf(widget()).size());
    }

    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets) return QAccessibleWidget::child(index);
        const int item = index - widgets;
        if (item >= ShownTextsOf(widget()).size()) return nullptr;
        while (static_cast<int>(Items.size()) <= item) {
            auto* shown = new TAccessibleShownText(widget(), static_cast<int>(Items.size()));
            Items.push_back(QAccessible::registerAccessibleInterface(shown));
        }
        return QAccessible::accessibleInterface(Items[static_cast<size_t>(item)]);
    }

    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* shown = dynamic_cast<const TAccessibleShownText*>(child);
        if (shown == nullptr) return QAccessibleWidget::indexOfChild(child);
        if (shown->OwnerWidget() != widget()) return -1;
        return QAccessibleWidget::childCount() + shown->ItemIndex();
    }

    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* found = QAccessibleWidget::childAt(x, y)) return found;
        const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        const QList<TShownText> texts = ShownTextsOf(widget());
        for (int k = 0; k < texts.size(); ++k)
            if (texts[k].Area.contains(local)) return child(QAccessibleWidget::childCount() + k);
        return nullptr;
    }

  private:
    mutable std::vector<QAccessible::Id> Items;
};

QAccessibleInterface* DescribeOwnWidget(const QString&, QObject* object) {
    if (auto* label = qobject_cast<TClickLabel*>(object)) return new TAccessibleClickLabel(label);
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return nullptr;
    if (qobject_cast<TBorderlessWindow*>(widget) != nullptr ||
        dynamic_cast<TShownTexts*>(widget) != nullptr)
        return new TAccessibleTextPainter(widget);
    return nullptr;
}

} // namespace

void InstallAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(DescribeOwnWidget);
}
