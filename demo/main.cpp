// tessdemo <dataDir> <exeDir>: prepares the demonstration data once (see
// demodata.h). Run by ./run.sh before the runtime starts.
#include <QCoreApplication>

#include <cstdio>

#include "demo/demodata.h"

namespace {
void say(FILE* to, const QString& text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), to);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        say(stderr, QStringLiteral("usage: tessdemo <dataDir> <exeDir>"));
        return 2;
    }
    const tess::demo::Result r = tess::demo::createDemo(args.at(1), args.at(2));
    switch (r.outcome) {
    case tess::demo::Outcome::Created:
        say(stdout, QStringLiteral("演示数据已建立：%1").arg(args.at(1)));
        return 0;
    case tess::demo::Outcome::AlreadyThere:
        say(stdout, QStringLiteral("演示数据已存在，未作改动：%1").arg(args.at(1)));
        return 0;
    case tess::demo::Outcome::Failed:
        break;
    }
    say(stderr, QStringLiteral("演示数据建立失败：%1").arg(r.message));
    return 1;
}
