#include "app/Gettitle.h"

#include "common/DialogButtons.h"

#include "app/Settd.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TUserTitleForm::TUserTitleForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UserTitleForm"));
    setWindowTitle(QStringLiteral("User Defined Title"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("Enter calendar title (leave blank for default):"), this);
    layout->addWidget(label);
    titleText_ = new QLineEdit(this);
    titleText_->setObjectName(QStringLiteral("TitleText"));
    titleText_->setMinimumWidth(320);
    label->setBuddy(titleText_);
    layout->addWidget(titleText_);

    layout->addWidget(OkCancelHelpButtons(this, nullptr, [this] { reject(); }, nullptr,
                                          {.ok = "okbutton"}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TUserTitleForm::SetTitle(const std::string &title)
{
    titleText_->setText(QString::fromStdString(title));
    titleText_->selectAll();
}

std::string TUserTitleForm::Title() const
{
    return titleText_->text().toStdString();
}

void TUserTitleForm::reject()
{
    done(kModalCancel);
}

} // namespace velmora
