#pragma once
// A small runtime world for window tests: a database with system tables, two
// information systems, tables with definitions, a sys.ini beside the
// "program", a data module and a logged-on user.
#include <QTest>

#include "common/datamodule.h"
#include "common/definitions.h"
#include "common/paths.h"
#include "common/sysdb.h"
#include "support/scriptedprompts.h"
#include "support/shots.h"
#include "support/testdb.h"

namespace tess::test {

struct ShellWorld {
    TestDb db;
    TADODataModule module;

    explicit ShellWorld(const QString& engine = QStringLiteral("sqlite")) : db(engine)
    {
        Connection& c = db.conn();
        installSystemTables(c);
        db.writeLogonIni();
        setExecutableDir(db.dir());
        setNetPath(QString());
        module.ADOConnection1->open(TADODataModule::logonParams(db.params().server));
        logonState() = LogonState();
        logonState().user = QStringLiteral("admin");
        logonState().loggedOn = true;
        for (bool* f : {&logonState().FInput, &logonState().FQuery, &logonState().FLoad, &logonState().FDerive,
                        &logonState().FStat, &logonState().FPrint, &logonState().FForm, &logonState().FType})
            *f = true;

        c.exec("Create Table 职工(编号 Varchar(10),姓名 Varchar(20),部门 Varchar(20),性别 Varchar(4),工资 Float,照片 Image)");
        c.exec(definitionTableSql("职工"));
        defRow(1, "编号", "字符型", "职工编号", "文本框", "");
        defRow(2, "姓名", "字符型", "姓名", "文本框", "");
        defRow(3, "部门", "字符型", "所在部门", "单选下拉框", "销售部\r\n财务部\r\n\r\n");
        defRow(4, "性别", "字符型", "性别", "单选下拉框", "男\r\n女");
        defRow(5, "工资", "实数型", "工资", "文本框", "");
        defRow(6, "照片", "图像型", "照片", "图像框", "");
        c.exec("INSERT INTO 职工(编号,姓名,部门,性别,工资) VALUES ('001','张三','销售部','男',0)");
        c.exec("INSERT INTO 职工(编号,姓名,部门,性别,工资) VALUES ('002','李四','财务部','女',0.5)");
        c.exec("INSERT INTO 职工(编号,姓名,部门,性别,工资) VALUES ('003','O''Brien','销售部','男',1234.567)");
        c.exec("Create Table 订单(订单号 Varchar(20),客户 Varchar(20))");
        c.exec("Create Table 订单明细(订单号 Varchar(20),商品 Varchar(20))");
        c.exec("INSERT INTO 订单 VALUES ('DD1','甲')");

        IniFile ini = dataIni();
        ini.writeString("SysName", "人事", "职工");
        ini.writeString("SysName", "销售管理", "订单");
        ini.writeString("人事Table", "职工", "职工");
        ini.writeString("人事Table", "虚表", "True");
        ini.writeString("销售管理Table", "订单", "订单");
        ini.writeString("销售管理Table", "订单明细", "订单明细");
        ini.writeString("销售管理订单AssoTable", "订单明细", "订单号>订单号");
        ini.writeString("Form", "DBSysName", "人事");
    }
    ~ShellWorld() { setExecutableDir(QString()); }

    void defRow(int id, const char* name, const char* dtype, const char* alias, const char* style, const char* options)
    {
        db.conn().exec("INSERT INTO 职工b(ID,FName,DType,FSize,CType,FAlias,FStyle,FSelect,FKey) VALUES (?,?,?,?,?,?,?,?,?)",
                       {id, QString::fromUtf8(name), QString::fromUtf8(dtype), 20, "普通型", QString::fromUtf8(alias),
                        QString::fromUtf8(style), QString::fromUtf8(options), "否"});
    }
};

} // namespace tess::test
