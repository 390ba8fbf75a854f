#include "runtime/shell/fieldwindows.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "common/definitions.h"
#include "common/paths.h"
#include "common/prompts.h"
#include "common/sqltext.h"

namespace tess {

QByteArray pictureFileAsBitmap(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toUpper();
    if (ext == QLatin1String("BMP")) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    if (ext == QLatin1String("JPG") || ext == QLatin1String("JPGE") || ext == QLatin1String("JPEG")) {
        QImage img;
        if (!img.load(path, "JPEG"))
            return {};
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        img.convertToFormat(QImage::Format_RGB888).save(&buf, "BMP");
        return bytes;
    }
    return {};
}

QImage pictureOf(const QVariant& value)
{
    QImage img;
    if (value.typeId() == QMetaType::QByteArray)
        img.loadFromData(value.toByteArray());
    return img;
}

// ---- enlarged picture --------------------------------------------------------

TShowImageForm::TShowImageForm(const QImage& img, QWidget* parent) : QDialog(parent), image(img)
{
    setWindowTitle(QStringLiteral("图像"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("文件"));
    v->setMenuBar(bar);
    Image1 = new QLabel(this);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    v->addWidget(Image1);
    file->addAction(QStringLiteral("打开"), this, [this] {
        const QString f = prompts().openFile(this, QStringLiteral("打开"), QStringLiteral("图像文件(*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png"));
        if (!f.isEmpty())
            openFile(f);
    });
    file->addAction(QStringLiteral("另存为"), this, [this] {
        int filter = 1;
        const QString f = prompts().saveFile(this, QStringLiteral("另存为"),
                                             QStringLiteral("Bitmaps (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg"), {}, {}, &filter);
        if (!f.isEmpty())
            saveAs(f, filter);
    });
    file->addAction(QStringLiteral("关闭"), this, &QDialog::accept);
    Image1->setPixmap(QPixmap::fromImage(image));
    // The client area takes the picture's size.
    Image1->setFixedSize(image.isNull() ? QSize(200, 150) : image.size());
}

void TShowImageForm::openFile(const QString& path)
{
    QImage img(path);
    if (img.isNull())
        return;
    image = img;
    Image1->setPixmap(QPixmap::fromImage(image));
    Image1->setFixedSize(image.size());
    adjustSize();
}

bool TShowImageForm::saveAs(const QString& path, int filterIndex)
{
    return filterIndex == 2 ? image.save(path, "JPEG", 75) : image.save(path, "BMP");
}

// ---- enlarged memo -------------------------------------------------------------

TShowMemoForm::TShowMemoForm(DataSet* d, const QString& f, bool w, QWidget* parent)
    : QDialog(parent), ds(d), field(f), writable(w)
{
    setWindowTitle(QStringLiteral("文件"));
    resize(480, 360);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("文件"));
    v->setMenuBar(bar);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setPlainText(ds->text(field));
    Memo1->setReadOnly(!writable);
    v->addWidget(Memo1);
    file->addAction(QStringLiteral("打开"), this, &TShowMemoForm::OpenClick);
    file->addAction(QStringLiteral("另存为"), this, &TShowMemoForm::SaveAsClick);
    file->addAction(QStringLiteral("关闭"), this, &QDialog::accept);
    // Every change is written at once.
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] {
        if (!writable)
            return;
        ds->edit();
        ds->setText(field, Memo1->toPlainText());
        ds->post();
    });
}

void TShowMemoForm::OpenClick()
{
    if (!writable) {
        warning(this, QStringLiteral("查询状态不能打开文件！  "), QStringLiteral("警告   "));
        return;
    }
    const QString f = prompts().openFile(this, QStringLiteral("打开"), QStringLiteral("文本文件(*.txt)|*.txt|所有文件(*.*)|*.*"));
    if (f.isEmpty())
        return;
    QFile file(f);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QStringDecoder("GB18030").decode(bytes);
    Memo1->setPlainText(text);
}

void TShowMemoForm::SaveAsClick()
{
    const QString f = prompts().saveFile(this, QStringLiteral("另存为"), QStringLiteral("文本文件(*.txt)|*.txt"), {}, QStringLiteral("txt"));
    if (f.isEmpty())
        return;
    QFile file(f);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(Memo1->toPlainText().toUtf8());
}

// ---- start-up settings -------------------------------------------------------------

TStarForm::TStarForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("系统启动设置"));
    auto* v = new QVBoxLayout(this);
    RadioGroup1 = new QButtonGroup(this);
    const QList<QPair<QString, int>> choices{{QStringLiteral("启动时进入录入系统"), 1},
                                             {QStringLiteral("启动时进入查询系统"), 2},
                                             {QStringLiteral("启动不进入任何系统"), 0}};
    for (const auto& c : choices) {
        auto* r = new QRadioButton(c.first);
        RadioGroup1->addButton(r, c.second);
        v->addWidget(r);
    }
    RadioGroup1->button(1)->setChecked(true);
    auto* ok = new QPushButton(QStringLiteral("确定"));
    auto* h = new QHBoxLayout;
    h->addStretch();
    h->addWidget(ok);
    v->addLayout(h);
    connect(ok, &QPushButton::clicked, this, &TStarForm::OkClick);
}

void TStarForm::OkClick()
{
    exeIni().writeInteger(QStringLiteral("Form"), QStringLiteral("Star"), RadioGroup1->checkedId());
    accept();
}

// ---- drop-down option editor ----------------------------------------------------------

TSetComboBoxForm::TSetComboBoxForm(Connection* c, const QString& system, QWidget* parent) : QDialog(parent), conn(c)
{
    setWindowTitle(QStringLiteral("设置下拉框选项"));
    resize(520, 360);
    ComboBox1 = new QComboBox;
    ComboBox1->addItems(dataIni().readSection(system + QStringLiteral("Table")));
    ComboBox1->setCurrentIndex(-1);
    ListBox1 = new QListWidget;
    Memo1 = new QPlainTextEdit;
    Memo1->setReadOnly(true);
    EditButton = new QPushButton(QStringLiteral("修改"));
    PostButton = new QPushButton(QStringLiteral("写入"));
    SearchButton = new QPushButton(QStringLiteral("自动搜寻"));
    CloseButton = new QPushButton(QStringLiteral("关闭"));
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("数据库表")));
    left->addWidget(ComboBox1);
    left->addWidget(new QLabel(QStringLiteral("字段")));
    left->addWidget(ListBox1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("下拉框选项")));
    right->addWidget(Memo1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (auto* b : {EditButton, PostButton, SearchButton, CloseButton})
        buttons->addWidget(b);
    right->addLayout(buttons);
    auto* h = new QHBoxLayout(this);
    h->addLayout(left, 1);
    h->addLayout(right, 2);
    connect(ComboBox1, &QComboBox::textActivated, this, &TSetComboBoxForm::tableChosen);
    connect(ListBox1, &QListWidget::currentTextChanged, this, &TSetComboBoxForm::columnChosen);
    connect(EditButton, &QPushButton::clicked, this, &TSetComboBoxForm::EditClick);
    connect(PostButton, &QPushButton::clicked, this, &TSetComboBoxForm::PostClick);
    connect(SearchButton, &QPushButton::clicked, this, &TSetComboBoxForm::SearchClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TSetComboBoxForm::tableChosen(const QString& t)
{
    table = t;
    column.clear();
    ListBox1->clear();
    Memo1->clear();
    try {
        QSqlQuery q = conn->select(QStringLiteral("SELECT FName,FStyle FROM ") + t + QStringLiteral("b ORDER BY ID"));
        while (q.next())
            if (styleCode(q.value(1).toString()) >= 2)
                ListBox1->addItem(q.value(0).toString());
    } catch (const Error& e) {
        message(this, e.text(), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
    }
}

void TSetComboBoxForm::columnChosen(const QString& c)
{
    column = c;
    rowName.clear();
    Memo1->setReadOnly(true);
    if (c.isEmpty())
        return;
    // The first definition row whose name begins with the column's.
    QSqlQuery q = conn->select(QStringLiteral("SELECT FName,FSelect FROM ") + table + QStringLiteral("b ORDER BY ID"));
    while (q.next())
        if (q.value(0).toString().startsWith(c)) {
            rowName = q.value(0).toString();
            QString text = q.value(1).toString();
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            Memo1->setPlainText(text);
            return;
        }
    Memo1->clear();
}

void TSetComboBoxForm::EditClick()
{
    if (!rowName.isEmpty())
        Memo1->setReadOnly(false);
}

void TSetComboBoxForm::PostClick()
{
    if (rowName.isEmpty())
        return;
    QString text = Memo1->toPlainText();
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    conn->exec(QStringLiteral("UPDATE ") + table + QStringLiteral("b SET FSelect=? WHERE FName=?"), {text, rowName});
    Memo1->setReadOnly(true);
}

void TSetComboBoxForm::SearchClick()
{
    if (column.isEmpty() || rowName.isEmpty())
        return;
    const QStringList before = Memo1->toPlainText().isEmpty() ? QStringList() : Memo1->toPlainText().split(QLatin1Char('\n'));
    QStringList lines = before;
    QSqlQuery q = conn->select(QStringLiteral("Select Distinct(") + column + QStringLiteral(")\nFrom ") + table);
    while (q.next()) {
        const QString v = q.value(0).isNull() ? QString() : q.value(0).toString();
        if (!before.contains(v))
            lines << v;
    }
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    PostClick();
    message(this, QStringLiteral("搜寻完毕！  "), QStringLiteral("搜寻   "));
}

} // namespace tess
