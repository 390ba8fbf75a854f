#include "runtime/query/queryinput.h"

#include "common/inifile.h"
#include "common/paths.h"

namespace tess::query {

QStringList QuerySource::values(int fieldIndex) const
{
    if (fieldIndex < 0 || fieldIndex >= fields.count())
        return {};
    const QString& name = fields.names.at(fieldIndex);
    if (!table.isEmpty() && connection)
        return valueList(*connection, name, table);
    if (rows)
        return valueList(*rows, name);
    return {};
}

namespace {
QString key(int n)
{
    return QString::number(n);
}
} // namespace

std::array<int, 4> readGeneralChoice(const QString& table)
{
    const IniFile ini = exeIni();
    const QString section = table + QStringLiteral("Query2");
    std::array<int, 4> out{};
    for (int i = 0; i < 4; ++i)
        out[i] = ini.readInteger(section, key(i + 1), i);
    return out;
}

void writeGeneralChoice(const QString& table, const std::array<int, 4>& fields)
{
    IniFile ini = exeIni();
    const QString section = table + QStringLiteral("Query2");
    for (int i = 0; i < 4; ++i)
        ini.writeInteger(section, key(i + 1), fields[i]);
}

SingleChoice readSingleChoice(const QString& table)
{
    const IniFile ini = exeIni();
    const QString section = table + QStringLiteral("Query3");
    SingleChoice c;
    c.field = ini.readInteger(section, key(1), 0);
    c.op = ini.readInteger(section, key(2), 0);
    c.pinyin = ini.readBool(section, key(3), false);
    return c;
}

void writeSingleChoice(const QString& table, const SingleChoice& c)
{
    IniFile ini = exeIni();
    const QString section = table + QStringLiteral("Query3");
    ini.writeInteger(section, key(1), c.field);
    ini.writeInteger(section, key(2), c.op);
    ini.writeBool(section, key(3), c.pinyin);
}

int readRangeChoice(const QString& table)
{
    return exeIni().readInteger(table + QStringLiteral("Query4"), key(1), 0);
}

void writeRangeChoice(const QString& table, int field)
{
    exeIni().writeInteger(table + QStringLiteral("Query4"), key(1), field);
}

int readQueryWay()
{
    return dataIni().readInteger(QStringLiteral("Form"), QStringLiteral("QueWay"), 0);
}

void writeQueryWay(int way)
{
    exeIni().writeInteger(QStringLiteral("Form"), QStringLiteral("QueWay"), way);
}

} // namespace tess::query
