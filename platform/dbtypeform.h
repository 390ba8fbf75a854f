#pragma once
// The two questions before an outside database is opened: which kind of
// database, and for a database server where it is.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tess {

enum class DatabaseKind { Access, MSSQL, SQLite, PostgreSQL };

// "选择数据库种类": ACCESS (preselected) or MSSQL, and our own SQLite files and
// PostgreSQL databases.
class TDBTypeForm : public QDialog {
    Q_OBJECT
public:
    explicit TDBTypeForm(QWidget* parent = nullptr);

    // The kind recorded by "确定"; "取消" leaves ACCESS.
    DatabaseKind kind = DatabaseKind::Access;

    QRadioButton* RadioButton1;   // ACCESS
    QRadioButton* RadioButton2;   // MSSQL
    QRadioButton* RadioButton3;   // SQLite
    QRadioButton* RadioButton4;   // PostgreSQL
    QPushButton* Button1;         // 确定
    QPushButton* Button2;         // 取消

    void Button1Click();
};

// Server, database, user and password of a database server. Made for SQL
// Server ("MSSQL数据库", user "sa"); the PostgreSQL choice uses it too.
class TMSSQLForm : public QDialog {
    Q_OBJECT
public:
    explicit TMSSQLForm(QWidget* parent = nullptr, const QString& caption = QStringLiteral("MSSQL数据库"),
                        const QString& user = QStringLiteral("sa"));

    // Recorded by "打开" once all three required texts are there.
    QString server, database, user, password;

    QLineEdit* Edit1;   // 服务器
    QLineEdit* Edit2;   // 数据库
    QLineEdit* Edit3;   // 用户名
    QLineEdit* Edit4;   // 密码
    QPushButton* Button1;   // 打开
    QPushButton* Button2;   // 取消

    void Button1Click();
};

} // namespace tess
