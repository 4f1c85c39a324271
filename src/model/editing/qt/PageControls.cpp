// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/qt/PageControls.h"

#include "model/editing/Field.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOptionFrame>

#include "model/editing/CharFilter.h"
#include "model/editing/ChoiceList.h"
#include "model/editing/qt/SingleByteValidator.h"

namespace {

constexpr int kDigitsOf16Bits = 5;
// The space a line edit keeps on each side of its text.
constexpr int kLineEditMargin = 2;

// Only the checked button takes the focus from Tab; with none checked, any does.
void TabToCheckedRadio(QButtonGroup* group) {
    const QAbstractButton* checked = group->checkedButton();
    for (QAbstractButton* button : group->buttons()) {
        const bool tabStop = !checked || button == checked;
        button->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

}  // namespace

QString FieldLabel(const Field& field) {
    return QString::fromLatin1(LabelText(field));
}

QComboBox* MakeList(const ChoiceList& list, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(false);
    for (const std::string& entry : list.Entries()) {
        combo->addItem(FromLatin1(entry));
    }
    return combo;
}

void SelectIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

QLineEdit* MakeTextEdit(int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    edit->setValidator(new SingleByteValidator({}, edit));
    return edit;
}

QLineEdit* MakeDigitsEdit(QWidget* parent, int maxLength) {
    auto* edit = new QLineEdit(parent);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    edit->setValidator(new SingleByteValidator(charsets::kDigits, edit));
    FitWidthToCharacters(edit, maxLength > 0 ? maxLength : kDigitsOf16Bits);
    return edit;
}

int WidthForText(const QLineEdit* edit, const QString& text) {
    // As the line edit measures its own size hint, for this text.
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    option.state |= QStyle::State_Sunken;
    const QMargins margins = edit->textMargins();
    const int width = edit->fontMetrics().horizontalAdvance(text) + 2 * kLineEditMargin +
                      margins.left() + margins.right();
    const QSize contents(width, edit->sizeHint().height());
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, edit).width();
}

void FitWidthToCharacters(QLineEdit* edit, int characters) {
    edit->setFixedWidth(WidthForText(edit, QString(characters + 1, u'0')));
}

void FitLabelToMnemonic(QLabel* label) {
    // The underlined character is drawn apart from its neighbours, without
    // the kerning the label measures with ("&To" is wider drawn than measured).
    const QString text = label->text();
    const qsizetype mark = text.indexOf(u'&');
    if (mark < 0 || mark + 1 >= text.size()) {
        return;
    }
    const QFontMetrics metrics = label->fontMetrics();
    const int drawn = metrics.horizontalAdvance(text.left(mark)) +
                      metrics.horizontalAdvance(text.mid(mark + 1, 1)) +
                      metrics.horizontalAdvance(text.mid(mark + 2));
    const int measured = metrics.horizontalAdvance(QString(text).remove(mark, 1));
    if (drawn > measured) {
        label->setMinimumWidth(label->sizeHint().width() + drawn - measured);
    }
}

void AddRadios(QButtonGroup* group, QBoxLayout* layout, const QStringList& labels) {
    for (int id = 0; id < labels.size(); ++id) {
        auto* radio = new QRadioButton(labels[id]);
        group->addButton(radio, id);
        layout->addWidget(radio);
    }
    QObject::connect(group, &QButtonGroup::buttonToggled, group,
                     [group] { TabToCheckedRadio(group); });
}

void CheckRadio(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) {
        button->setChecked(false);
    }
    group->setExclusive(true);
}

void SetTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
}
