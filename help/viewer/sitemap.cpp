#include "help/viewer/sitemap.h"

#include <QHash>

namespace nlt::help {

namespace {

// One parsed entry before nesting: its depth is the number of open lists.
struct FlatEntry {
    int depth;
    TocEntry entry;
};

// Replaces the character references a sitemap attribute may hold.
QString DecodeEntities(const QString &text)
{
    static const QHash<QString, QChar> named{
        {QStringLiteral("amp"), u'&'},
        {QStringLiteral("lt"), u'<'},
        {QStringLiteral("gt"), u'>'},
        {QStringLiteral("quot"), u'"'},
        {QStringLiteral("apos"), u'\''},
        {QStringLiteral("nbsp"), QChar(0xa0)},
    };
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype semicolon = text[i] == u'&' ? text.indexOf(u';', i) : -1;
        if (semicolon > i + 1 && semicolon - i <= 10) {
            const QString ref = text.mid(i + 1, semicolon - i - 1);
            bool ok = false;
            const uint code = ref.startsWith(u"#x", Qt::CaseInsensitive) ? ref.mid(2).toUInt(&ok, 16)
                            : ref.startsWith(u'#')                       ? ref.mid(1).toUInt(&ok, 10)
                                                                         : 0;
            if (ok && code > 0 && code < 0x110000 && QChar::isPrint(char32_t(code))) {
                out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
                i = semicolon;
                continue;
            }
            if (const auto it = named.constFind(ref.toLower()); it != named.cend()) {
                out += *it;
                i = semicolon;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// The attributes of one tag body ("param name=Name value='x'"), names lower case.
QHash<QString, QString> ParseAttributes(QStringView body)
{
    QHash<QString, QString> attributes;
    qsizetype i = 0;
    while (i < body.size() && !body[i].isSpace())
        ++i;
    while (i < body.size()) {
        while (i < body.size() && (body[i].isSpace() || body[i] == u'/'))
            ++i;
        const qsizetype nameStart = i;
        while (i < body.size() && !body[i].isSpace() && body[i] != u'=')
            ++i;
        const QString name = body.mid(nameStart, i - nameStart).toString().toLower();
        while (i < body.size() && body[i].isSpace())
            ++i;
        QString value;
        if (i < body.size() && body[i] == u'=') {
            ++i;
            while (i < body.size() && body[i].isSpace())
                ++i;
            const QChar quote = i < body.size() && (body[i] == u'"' || body[i] == u'\'') ? body[i] : QChar();
            const qsizetype valueStart = quote.isNull() ? i : i + 1;
            qsizetype valueEnd = valueStart;
            while (valueEnd < body.size() && (quote.isNull() ? !body[valueEnd].isSpace() : body[valueEnd] != quote))
                ++valueEnd;
            value = DecodeEntities(body.mid(valueStart, valueEnd - valueStart).toString());
            i = quote.isNull() ? valueEnd : valueEnd + 1;
        }
        if (!name.isEmpty())
            attributes.insert(name, value);
    }
    return attributes;
}

// Nests the flat entries: each entry takes the following deeper ones as children.
QList<TocEntry> Nest(QList<FlatEntry> &flat, qsizetype &next, int depth)
{
    QList<TocEntry> level;
    while (next < flat.size() && flat[next].depth >= depth) {
        FlatEntry &current = flat[next++];
        current.entry.children = Nest(flat, next, current.depth + 1);
        level.append(std::move(current.entry));
    }
    return level;
}

} // namespace

QList<TocEntry> ParseSitemap(const QString &text)
{
    QList<FlatEntry> flat;
    int depth = 0;
    bool inObject = false;
    TocEntry pending;
    qsizetype pos = 0;
    while (flat.size() < kMaxSitemapEntries) {
        const qsizetype open = text.indexOf(u'<', pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'>', open + 1);
        if (close < 0)
            break;
        const QStringView body = QStringView(text).mid(open + 1, close - open - 1).trimmed();
        pos = close + 1;
        qsizetype tagEnd = 0;
        while (tagEnd < body.size() && !body[tagEnd].isSpace())
            ++tagEnd;
        const QString tag = body.left(tagEnd).toString().toLower();
        if (tag == u"ul") {
            ++depth;
        } else if (tag == u"/ul") {
            depth = qMax(0, depth - 1);
        } else if (tag == u"object") {
            inObject = ParseAttributes(body).value(QStringLiteral("type")).compare(u"text/sitemap", Qt::CaseInsensitive)
                    == 0;
            pending = TocEntry{};
        } else if (tag == u"param" && inObject) {
            const auto attributes = ParseAttributes(body);
            const QString name = attributes.value(QStringLiteral("name")).toLower();
            if (name == u"name" && pending.name.isEmpty())
                pending.name = attributes.value(QStringLiteral("value")).trimmed();
            else if (name == u"local" && pending.local.isEmpty())
                pending.local = SitemapLocalToPath(attributes.value(QStringLiteral("value")).trimmed());
        } else if (tag == u"/object" && inObject) {
            inObject = false;
            if (!pending.name.isEmpty())
                flat.append({qBound(0, depth, kMaxSitemapDepth), pending});
        }
    }
    qsizetype next = 0;
    return Nest(flat, next, 0);
}

QString SitemapLocalToPath(const QString &local)
{
    QString path = local;
    if (const qsizetype separator = path.indexOf(u"::"); separator >= 0)
        path = path.mid(separator + 2);
    else if (path.contains(u':'))
        return {}; // a link to another place, such as "http:" or "mailto:"
    path.replace(u'\\', u'/');
    if (path.isEmpty() || path.startsWith(u'#'))
        return {};
    return path.startsWith(u'/') ? path : u'/' + path;
}

} // namespace nlt::help
