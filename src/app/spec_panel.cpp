#include "app/spec_panel.h"

#include "app/toolkit/named.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavex {

namespace {

// A label and the field it names: the label is the field's buddy, and the
// field takes the label's words, without the colon, as the name a screen
// reader says.
QLabel* Caption(const char* name, int k, const QString& text, QWidget* field, QWidget* parent)
{
    auto* label = Named<QLabel>(ElementName(name, k), text, parent);
    label->setBuddy(field);
    QString spoken = text;
    if (spoken.endsWith(QLatin1Char(':')))
        spoken.chop(1);
    field->setAccessibleName(spoken);
    return label;
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

SpecPanel::SpecPanel(int k, QWidget* parent)
    : QWidget(parent)
    , k_(k)
    , lblVar_(Named<QLabel>(ElementName("lblVar", k), this))
    , txtLL_(Named<QLineEdit>(ElementName("txtLL", k), QStringLiteral("-5"), this))
    , txtUL_(Named<QLineEdit>(ElementName("txtUL", k), QStringLiteral("5"), this))
    , txtExpansion_(Named<QLineEdit>(ElementName("txtExpansion", k), QStringLiteral("*"), this))
    , txtPeriod_(Named<QLineEdit>(ElementName("txtPeriod", k), QStringLiteral("*"), this))
    , txtTerms_(Named<QLineEdit>(ElementName("txtTerms", k), QStringLiteral("2"), this))
    , fraType_(Named<QGroupBox>(ElementName("fraType", k), QStringLiteral("Type"), this))
    , chkPower_(Named<QCheckBox>(ElementName("chkPower", k), QStringLiteral("Power"), fraType_))
    , chkSpaced_(Named<QCheckBox>(ElementName("chkSpaced", k), QStringLiteral("Equally spaced"), fraType_))
    , cmdAddVars_(Named<QPushButton>(ElementName("cmdAddVars", k), QStringLiteral("A&dd values"), this))
    , cmdEditVars_(Named<QPushButton>(ElementName("cmdEditVars", k), QStringLiteral("Edit &values"), this))
{
    setObjectName(ElementName("panel", k));
    setAccessibleName(QStringLiteral("Variable %1").arg(k + 1));
    txtExpansion_->setToolTip(QStringLiteral("Enter \"*\" for center of interval"));
    // "2" and the pi sign: "*" stands for 2 pi.
    txtPeriod_->setToolTip(QStringLiteral("Enter \"*\" for 2") + QChar(0x03C0));
    chkPower_->setToolTip(QStringLiteral("Uncheck for Trigonometric"));
    chkPower_->setChecked(true); // every variable starts polynomial and equally spaced
    chkSpaced_->setChecked(true);
    lblVar_->setAccessibleDescription(QStringLiteral("Variable"));
    // Buttons take the focus on click, as the check of the field left behind expects.
    cmdAddVars_->setFocusPolicy(Qt::StrongFocus);
    cmdEditVars_->setFocusPolicy(Qt::StrongFocus);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto row = [grid](int r, QWidget* label, QWidget* field) {
        grid->addWidget(label, r, 0);
        grid->addWidget(field, r, 1);
    };
    row(0, Named<QLabel>(ElementName("lblVariable", k), QStringLiteral("Variable:"), this), lblVar_);
    row(1, Caption("lblLL", k, QStringLiteral("Lower limit:"), txtLL_, this), txtLL_);
    row(2, Caption("lblUL", k, QStringLiteral("Upper limit:"), txtUL_, this), txtUL_);
    row(3, Caption("lblExpansion", k, QStringLiteral("Center of expansion:"), txtExpansion_, this), txtExpansion_);
    row(4, Caption("lblPeriod", k, QStringLiteral("Period:"), txtPeriod_, this), txtPeriod_);
    row(5, Caption("lblTerms", k, QStringLiteral("# of values:"), txtTerms_, this), txtTerms_);
    grid->addWidget(fraType_, 6, 0, 1, 2);
    row(7, cmdAddVars_, cmdEditVars_);
    grid->setRowStretch(8, 1);

    auto* type = new QVBoxLayout(fraType_);
    type->addWidget(chkPower_);
    type->addWidget(chkSpaced_);
}

void SpecPanel::CopyStateOf(const SpecPanel& first)
{
    SetName(first.lblVar_->text());
    const PanelTexts texts = first.Texts();
    txtLL_->setText(Q(texts.lowerLimit));
    txtUL_->setText(Q(texts.upperLimit));
    txtExpansion_->setText(Q(texts.center));
    txtPeriod_->setText(Q(texts.period));
    txtTerms_->setText(Q(texts.valueCount));
    chkPower_->setChecked(texts.powerChecked);
    chkSpaced_->setChecked(texts.spacedChecked);
    const auto controls = [](const SpecPanel& panel) {
        return std::array<QWidget*, 10>{panel.lblVar_,    panel.txtLL_,     panel.txtUL_,     panel.txtExpansion_,
                                        panel.txtPeriod_, panel.txtTerms_,  panel.chkPower_,  panel.chkSpaced_,
                                        panel.cmdAddVars_, panel.cmdEditVars_};
    };
    const auto from = controls(first);
    const auto to = controls(*this);
    for (std::size_t i = 0; i < from.size(); ++i)
        to[i]->setEnabled(from[i]->isEnabled());
}

PanelTexts SpecPanel::Texts() const
{
    PanelTexts texts;
    texts.lowerLimit = txtLL_->text().toStdString();
    texts.upperLimit = txtUL_->text().toStdString();
    texts.center = txtExpansion_->text().toStdString();
    texts.period = txtPeriod_->text().toStdString();
    texts.valueCount = txtTerms_->text().toStdString();
    texts.powerChecked = chkPower_->isChecked();
    texts.spacedChecked = chkSpaced_->isChecked();
    return texts;
}

void SpecPanel::Show(const ShownPanel& shown)
{
    SetName(Q(shown.name));
    txtLL_->setText(Q(shown.lowerLimit));
    txtUL_->setText(Q(shown.upperLimit));
    if (shown.center)
        txtExpansion_->setText(Q(*shown.center));
    if (shown.period)
        txtPeriod_->setText(Q(*shown.period));
    txtTerms_->setText(Q(shown.valueCount));
    chkPower_->setChecked(shown.powerChecked);
    chkSpaced_->setChecked(shown.spacedChecked);
}

void SpecPanel::SetName(const QString& name)
{
    lblVar_->setText(name);
}

std::array<QWidget*, 7> SpecPanel::TabFields() const
{
    return {txtLL_, txtUL_, txtExpansion_, txtPeriod_, txtTerms_, chkSpaced_, chkPower_};
}

} // namespace tavex
