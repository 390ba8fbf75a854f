#include "common/inputdlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {

TInputDlg::TInputDlg(QWidget* parent) : QDialog(parent)
{
    setModal(true);
    auto* v = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Edit1 = new QLineEdit(this);
    Edit1->setMinimumWidth(260);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    ok->setDefault(true);
    auto* h = new QHBoxLayout;
    h->addStretch();
    h->addWidget(ok);
    h->addWidget(cancel);
    v->addWidget(Label1);
    v->addWidget(Edit1);
    v->addLayout(h);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

QString TInputDlg::ask(const QString& caption, const QString& prompt, const QString& preset)
{
    setWindowTitle(caption);
    Label1->setText(prompt);
    Edit1->setText(preset);
    Edit1->selectAll();
    return exec() == QDialog::Accepted ? Edit1->text() : QString();
}

} // namespace tess
