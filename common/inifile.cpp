#include "common/inifile.h"

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <sys/stat.h>

#include "common/errors.h"

namespace tess {

namespace {

enum class Encoding { Utf8, Utf8Bom, Gb18030 };

struct Stamp {
    bool exists = false;
    qint64 size = 0, ino = 0, sec = 0, nsec = 0;
    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const QString& path)
{
    struct stat st;
    Stamp s;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        s.exists = true;
        s.size = st.st_size;
        s.ino = static_cast<qint64>(st.st_ino);
        s.sec = st.st_mtim.tv_sec;
        s.nsec = st.st_mtim.tv_nsec;
    }
    return s;
}

// The parsed file: its lines in order plus an index of the first occurrence
// of every section and of every key inside it.
struct Parsed {
    Stamp stamp;
    Encoding encoding = Encoding::Utf8;
    QString eol = QStringLiteral("\n");
    bool endsWithEol = true;
    QStringList lines;

    struct Section {
        QString name;   // as written
        int header = -1;   // line of "[name]"
        int end = 0;       // one past the last line belonging to the section
        QStringList keyOrder;           // lower-case keys in file order (first occurrences)
        QHash<QString, int> keys;       // lower-case key -> line
    };
    QList<Section> sections;
    QHash<QString, int> sectionIndex;   // lower-case name -> index in sections (first occurrence)

    void index();
    const Section* find(const QString& section) const
    {
        auto it = sectionIndex.constFind(section.toLower());
        return it == sectionIndex.constEnd() ? nullptr : &sections.at(*it);
    }
};

bool isSectionLine(const QString& trimmed) { return trimmed.startsWith(QLatin1Char('[')) && trimmed.contains(QLatin1Char(']')); }

QString sectionNameOf(const QString& trimmed)
{
    return trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
}

// Key and value of a key line; false for blank lines and comments.
bool splitKeyLine(const QString& line, QString* key, QString* value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return false;
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq < 0) {
        *key = t;
        if (value)
            value->clear();
        return true;
    }
    *key = t.left(eq).trimmed();
    if (value) {
        QString v = t.mid(eq + 1).trimmed();
        // The profile functions drop one pair of surrounding quotes.
        if (v.size() >= 2 && ((v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
                              || (v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\'')))))
            v = v.mid(1, v.size() - 2);
        *value = v;
    }
    return !key->isEmpty();
}

void Parsed::index()
{
    sections.clear();
    sectionIndex.clear();
    for (int i = 0; i < lines.size(); ++i) {
        const QString t = lines.at(i).trimmed();
        if (isSectionLine(t)) {
            if (!sections.isEmpty())
                sections.last().end = i;
            Section s;
            s.name = sectionNameOf(t);
            s.header = i;
            s.end = lines.size();
            sections.append(s);
            sectionIndex.insert(s.name.toLower(), sections.size() - 1);
            continue;
        }
        if (sections.isEmpty())
            continue;   // lines before the first section belong to none
        QString key;
        if (!splitKeyLine(lines.at(i), &key, nullptr))
            continue;
        Section& s = sections.last();
        const QString lk = key.toLower();
        if (!s.keys.contains(lk)) {
            s.keys.insert(lk, i);
            s.keyOrder.append(lk);
        }
    }
    // The first occurrence of a section is the one the profile functions use.
    sectionIndex.clear();
    for (int i = sections.size() - 1; i >= 0; --i)
        sectionIndex.insert(sections.at(i).name.toLower(), i);
}

QString decode(const QByteArray& bytes, Encoding* enc)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        *enc = Encoding::Utf8Bom;
        return QString::fromUtf8(bytes.mid(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError()) {
        *enc = Encoding::Utf8;
        return s;
    }
    *enc = Encoding::Gb18030;
    QStringDecoder gb("GB18030");
    return gb.decode(bytes);
}

QByteArray encode(const QString& text, Encoding enc)
{
    switch (enc) {
    case Encoding::Utf8: return text.toUtf8();
    case Encoding::Utf8Bom: return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case Encoding::Gb18030: {
        QStringEncoder gb("GB18030");
        return gb.encode(text);
    }
    }
    return text.toUtf8();
}

QMutex cacheLock;
QHash<QString, Parsed>& cache()
{
    static QHash<QString, Parsed> c;
    return c;
}

Parsed load(const QString& path)
{
    QMutexLocker lock(&cacheLock);
    const Stamp st = stampOf(path);
    auto it = cache().constFind(path);
    if (it != cache().constEnd() && it->stamp == st)
        return *it;
    Parsed p;
    p.stamp = st;
    if (st.exists) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = f.readAll();
            QString text = decode(bytes, &p.encoding);
            if (text.contains(QLatin1String("\r\n")))
                p.eol = QStringLiteral("\r\n");
            p.endsWithEol = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            p.lines = text.split(QLatin1Char('\n'));
            if (p.endsWithEol && !p.lines.isEmpty() && p.lines.last().isEmpty())
                p.lines.removeLast();
        }
    }
    p.index();
    cache().insert(path, p);
    return p;
}

void save(const QString& path, Parsed& p)
{
    QString text = p.lines.join(p.eol);
    if (!p.lines.isEmpty() && p.endsWithEol)
        text += p.eol;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("不能写入文件 %1：%2").arg(path, f.errorString()));
    f.write(encode(text, p.encoding));
    if (!f.commit())
        throw Error(QStringLiteral("不能写入文件 %1：%2").arg(path, f.errorString()));
    p.stamp = stampOf(path);
    p.index();
    QMutexLocker lock(&cacheLock);
    cache().insert(path, p);
}

} // namespace

IniFile::IniFile(const QString& fileName) : path(fileName) {}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    const Parsed p = load(path);
    const auto* s = p.find(section);
    if (!s)
        return def;
    auto it = s->keys.constFind(key.toLower());
    if (it == s->keys.constEnd())
        return def;
    QString k, v;
    splitKeyLine(p.lines.at(*it), &k, &v);
    return v;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const
{
    QString s = readString(section, key).trimmed();
    if (s.isEmpty())
        return def;
    bool ok = false;
    int v;
    if (s.size() > 2 && s.at(0) == QLatin1Char('0') && (s.at(1) == QLatin1Char('x') || s.at(1) == QLatin1Char('X')))
        v = static_cast<int>(s.mid(2).toUInt(&ok, 16));
    else
        v = s.toInt(&ok, 10);
    return ok ? v : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    Parsed p = load(path);
    const QString line = key + QLatin1Char('=') + value;
    const auto* s = p.find(section);
    if (!s) {
        if (!p.lines.isEmpty() && !p.lines.last().trimmed().isEmpty())
            p.lines.append(QString());
        p.lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        p.lines.append(line);
    } else if (auto it = s->keys.constFind(key.toLower()); it != s->keys.constEnd()) {
        // Keep the key's spelling as it stands in the file.
        QString oldKey;
        splitKeyLine(p.lines.at(*it), &oldKey, nullptr);
        p.lines[*it] = oldKey + QLatin1Char('=') + value;
    } else {
        // New keys go after the last non-blank line of the section.
        int at = s->end;
        while (at > s->header + 1 && p.lines.at(at - 1).trimmed().isEmpty())
            --at;
        p.lines.insert(at, line);
    }
    save(path, p);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList IniFile::readSections() const
{
    const Parsed p = load(path);
    QStringList out;
    QStringList seen;
    for (const auto& s : p.sections) {
        if (seen.contains(s.name.toLower()))
            continue;
        seen << s.name.toLower();
        out << s.name;
    }
    return out;
}

QStringList IniFile::readSection(const QString& section) const
{
    const Parsed p = load(path);
    QStringList out;
    if (const auto* s = p.find(section)) {
        for (const QString& lk : s->keyOrder) {
            QString k;
            splitKeyLine(p.lines.at(s->keys.value(lk)), &k, nullptr);
            out << k;
        }
    }
    return out;
}

QStringList IniFile::readSectionValues(const QString& section) const
{
    const Parsed p = load(path);
    QStringList out;
    if (const auto* s = p.find(section)) {
        for (const QString& lk : s->keyOrder) {
            QString k, v;
            splitKeyLine(p.lines.at(s->keys.value(lk)), &k, &v);
            out << k + QLatin1Char('=') + v;
        }
    }
    return out;
}

bool IniFile::sectionExists(const QString& section) const
{
    return load(path).find(section) != nullptr;
}

bool IniFile::valueExists(const QString& section, const QString& key) const
{
    const Parsed p = load(path);
    const auto* s = p.find(section);
    return s && s->keys.contains(key.toLower());
}

void IniFile::eraseSection(const QString& section)
{
    Parsed p = load(path);
    bool changed = false;
    // Every occurrence of the section goes, with its lines.
    for (int i = p.sections.size() - 1; i >= 0; --i) {
        const auto& s = p.sections.at(i);
        if (s.name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        int end = s.end;
        p.lines.erase(p.lines.begin() + s.header, p.lines.begin() + end);
        changed = true;
    }
    if (changed)
        save(path, p);
}

void IniFile::deleteKey(const QString& section, const QString& key)
{
    Parsed p = load(path);
    const auto* s = p.find(section);
    if (!s)
        return;
    auto it = s->keys.constFind(key.toLower());
    if (it == s->keys.constEnd())
        return;
    p.lines.removeAt(*it);
    save(path, p);
}

void IniFile::replaceContents(const QByteArray& bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("不能写入文件 %1：%2").arg(path, f.errorString()));
    f.write(bytes);
    if (!f.commit())
        throw Error(QStringLiteral("不能写入文件 %1：%2").arg(path, f.errorString()));
}

QByteArray IniFile::contents() const
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

int colorToInt(unsigned rgb)
{
    const unsigned r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return static_cast<int>((b << 16) | (g << 8) | r);
}

unsigned colorFromInt(int value)
{
    const unsigned v = static_cast<unsigned>(value);
    const unsigned r = v & 0xFF, g = (v >> 8) & 0xFF, b = (v >> 16) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

} // namespace tess
