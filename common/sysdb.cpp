#include "common/sysdb.h"

namespace tess {

QStringList rightsColumns()
{
    return {QStringLiteral("FInput"), QStringLiteral("FQuery"), QStringLiteral("FLoad"), QStringLiteral("FDerive"),
            QStringLiteral("FStat"),  QStringLiteral("FPrint"), QStringLiteral("FCopy"), QStringLiteral("FReturn"),
            QStringLiteral("FForm"),  QStringLiteral("FType"),  QStringLiteral("Sys")};
}

void installSystemTables(Connection& c)
{
    if (!c.hasTable(QStringLiteral("UserPopedom"))) {
        QStringList cols{QStringLiteral("FUser Varchar(30)"), QStringLiteral("FPass Varchar(30)")};
        for (const QString& r : rightsColumns())
            cols << r + QStringLiteral(" Bit");
        c.exec(QStringLiteral("Create Table UserPopedom(") + cols.join(QLatin1Char(',')) + QLatin1Char(')'));
    }
    if (!c.hasTable(QStringLiteral("SysQx")))
        c.exec(QStringLiteral("Create Table SysQx(FUser Varchar(30),SysName Varchar(50),Popedom Bit)"));
    if (!c.hasTable(QStringLiteral("SysIni")))
        c.exec(QStringLiteral("Create Table SysIni(ID Integer,FName Varchar(30),FFile Image)"));
    if (c.scalar(QStringLiteral("Select count(*) From UserPopedom")).toInt() == 0) {
        QVariantList values{QString::fromLatin1(kFirstAdmin), QString::fromLatin1(kFirstAdminPassword)};
        QStringList marks{QStringLiteral("?"), QStringLiteral("?")};
        for (const QString& r : rightsColumns()) {
            values << c.toEngine(r != QLatin1String("Sys"), ftBoolean);
            marks << QStringLiteral("?");
        }
        c.exec(QStringLiteral("INSERT INTO UserPopedom VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'), values);
    }
}

} // namespace tess
