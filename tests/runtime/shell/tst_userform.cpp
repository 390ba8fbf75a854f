#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "runtime/shell/userform.h"
#include "shellfixture.h"

using namespace tess;
using namespace tess::test;

namespace {
QList<bool> bits(const char* s)
{
    QList<bool> r;
    for (const char* p = s; *p; ++p)
        r << (*p == '1');
    return r;
}
void addUser(Connection& c, const QString& name, const char* rights)
{
    QVariantList v{name, "pw"};
    for (bool b : bits(rights))
        v << c.toEngine(b, ftBoolean);
    v << c.toEngine(false, ftBoolean);
    c.exec("INSERT INTO UserPopedom VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)", v);
}
} // namespace

class TestUserForm : public QObject {
    Q_OBJECT
private slots:
    void classification_data()
    {
        QTest::addColumn<QString>("rights");   // 录入 查询 导入 导出 统计 打印 备份 恢复 界面调整 系统设置
        QTest::addColumn<int>("type");
        QTest::newRow("super") << "1111111111" << int(SuperUser);
        QTest::newRow("first") << "1111111110" << int(FirstLevel);
        QTest::newRow("second") << "0101110010" << int(SecondLevel);
        QTest::newRow("second, restore ignored") << "0101110110" << int(SecondLevel);
        QTest::newRow("third") << "0100000010" << int(ThirdLevel);
        QTest::newRow("third plus restore") << "0100000110" << int(CustomUser);
        QTest::newRow("nothing") << "0000000000" << int(CustomUser);
    }
    void classification()
    {
        QFETCH(QString, rights);
        QFETCH(int, type);
        QCOMPARE(classifyUser(bits(rights.toLatin1().constData())), type);
        if (type != CustomUser)
            QCOMPARE(classifyUser(userTypePreset(type)), type);
    }

    void administration()
    {
        ShellWorld w;
        Connection& c = w.db.conn();
        addUser(c, "Wang", "0101110110");
        PromptGuard p;
        TUserForm f(&c);
        f.show();
        QCOMPARE(f.Edit1->text(), QStringLiteral("admin"));
        QVERIFY(f.typeButtons.at(SuperUser)->isChecked());
        QVERIFY(!f.PostButton->isEnabled());
        f.NextButton->click();
        QCOMPARE(f.Edit1->text(), QStringLiteral("Wang"));
        QVERIFY(f.typeButtons.at(SecondLevel)->isChecked());
        // 自定义用户 on a browsed row shows its stored rights; while changing it clears
        f.typeButtons.at(CustomUser)->click();
        QCOMPARE(f.checks(), bits("0101110110"));
        f.EditClick();
        f.typeButtons.at(CustomUser)->click();
        QCOMPARE(f.checks(), bits("0000000000"));
        // the check list's dependencies
        f.typeButtons.at(SuperUser)->click();
        f.CheckListBox1->item(1)->setCheckState(Qt::Unchecked);
        QCOMPARE(f.checks(), bits("1010001111"));
        f.CheckListBox1->item(0)->setCheckState(Qt::Unchecked);
        QCOMPARE(f.checks(), bits("0000001111"));
        f.PostClick();
        QCOMPARE(c.scalar("Select FType From UserPopedom Where FUser='Wang'").toBool(), true);
        QCOMPARE(c.scalar("Select FInput From UserPopedom Where FUser='Wang'").toBool(), false);

        // refusals when adding
        f.AddClick();
        f.PostClick();
        f.Edit1->setText("新用户");
        emit f.Edit1->textEdited("新用户");
        f.PostClick();
        f.Edit2->setText("123");
        emit f.Edit2->textEdited("123");
        f.RadioGroup1->setExclusive(false);
        for (auto* r : f.typeButtons)
            r->setChecked(false);
        f.RadioGroup1->setExclusive(true);
        f.PostClick();
        QCOMPARE(p->texts(), (QStringList{"请输入用户名称！  ", "请输入用户密码！  ", "请选择用户类型！  "}));
        QCOMPARE(p->calls.at(2).caption, QStringLiteral("用户类型   "));
        f.typeButtons.at(ThirdLevel)->click();
        f.PostClick();
        QCOMPARE(c.scalar("Select count(*) From UserPopedom").toInt(), 3);

        // 查找 is case-sensitive
        p->clear();
        p->plan(QStringLiteral("WANG"));
        f.FindClick();
        QCOMPARE(p->lastText(), QStringLiteral("没有此用户！  "));
        QCOMPARE(p->calls.first().caption, QStringLiteral("查找用户"));
        p->plan(QStringLiteral("Wang"));
        f.FindClick();
        QCOMPARE(f.Edit1->text(), QStringLiteral("Wang"));

        // the first row cannot be deleted; others after OK
        p->clear();
        f.FirstButton->click();
        f.DeleteClick();
        QVERIFY(p->calls.isEmpty());
        f.LastButton->click();
        p->plan(Answer::Cancel);
        f.DeleteClick();
        QCOMPARE(p->lastText(), QStringLiteral("确实要删除吗?  "));
        QCOMPARE(c.scalar("Select count(*) From UserPopedom").toInt(), 3);
        f.DeleteClick();
        QCOMPARE(c.scalar("Select count(*) From UserPopedom").toInt(), 2);

        // closing needs a super user somewhere
        c.exec(QString("UPDATE UserPopedom SET FType=%1").arg(w.db.isPostgres() ? "false" : "0"));
        f.CloseClick();
        QCOMPARE(p->lastText(), QStringLiteral("至少应设置一个是超级用户。  "));
        QCOMPARE(p->lastCaption(), QStringLiteral("请设置一个管理员   "));
        QVERIFY(f.isVisible());
        c.exec(QString("UPDATE UserPopedom SET FType=%1 WHERE FUser='admin'").arg(w.db.isPostgres() ? "true" : "1"));
        f.CloseClick();
        QVERIFY(!f.isVisible());
    }

    void systemPermissions()
    {
        ShellWorld w;
        Connection& c = w.db.conn();
        addUser(c, "Wang", "0100000010");
        c.exec("INSERT INTO SysQx VALUES ('wang','销售管理',?)", {c.toEngine(true, ftBoolean)});
        PromptGuard p;
        TSysQxForm f(&c);
        f.show();
        QCOMPARE(f.ComboBox1->count(), 2);
        QCOMPARE(f.CheckListBox1->count(), 2);   // 人事, 销售管理
        f.userChosen("Wang");
        QCOMPARE(f.CheckListBox1->item(0)->checkState(), Qt::Unchecked);
        QCOMPARE(f.CheckListBox1->item(1)->checkState(), Qt::Checked);
        // a user without rows gets one row per listed system
        f.ComboBox1->setCurrentIndex(0);   // admin
        f.CheckListBox1->item(0)->setCheckState(Qt::Checked);
        f.CheckListBox1->item(1)->setCheckState(Qt::Unchecked);
        f.PostClick();
        QCOMPARE(c.scalar("Select count(*) From SysQx Where FUser='admin'").toInt(), 2);
        QCOMPARE(c.scalar("Select Popedom From SysQx Where FUser='admin' and SysName='人事'").toBool(), true);
        QCOMPARE(c.scalar("Select Sys From UserPopedom Where FUser='admin'").toBool(), true);
    }
};

QTEST_MAIN(TestUserForm)
#include "tst_userform.moc"
