// The language files shipped beside the program translate every text of the table.
#include "common/Comon_State.h"
#include "texts/Text_Table.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace UComon;

namespace {

QStringList Lines_Of(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return Decode_Lang_Bytes(f.readAll()).split(QRegularExpression("\r\n|\n|\r"));
}

// Blanks at the start and at the end of a text.
std::pair<int, int> Edge_Blanks(const QString& s) {
    int lead = 0, trail = 0;
    while (lead < s.size() && s[lead] == ' ')
        ++lead;
    while (trail < s.size() - lead && s[s.size() - 1 - trail] == ' ')
        ++trail;
    return {lead, trail};
}

} // namespace

TEST(Texts_Shipped, EveryLanguageSetsEveryTextOnce) {
    const QDir dir(QStringLiteral(DRAVIAN_LANGUAGE_DIR));
    const QStringList files = dir.entryList({"*.lng"}, QDir::Files);
    ASSERT_GE(files.size(), 5) << "English, Italiano, Deutsch, Français, Español";
    const QRegularExpression form(R"(^STR(\d+) = (.+)$)");

    for (const QString& file : files) {
        QMap<int, int> seen;
        for (const QString& line : Lines_Of(dir.filePath(file))) {
            if (!line.startsWith("STR"))
                continue;
            const auto m = form.match(line);
            ASSERT_TRUE(m.hasMatch()) << file.toStdString() << ": " << line.toStdString();
            ++seen[m.captured(1).toInt()];
        }
        Init_Text_Table();
        const QStringList english = Text_Table;
        ASSERT_TRUE(Read_Lang_File(dir.filePath(file)));
        for (int n = 0; n < Text_Lines; ++n) {
            const QString def = Default_Text(n);
            if (def == " ") {
                EXPECT_FALSE(seen.contains(n)) << file.toStdString() << " sets unused line " << n;
                continue;
            }
            EXPECT_EQ(seen.value(n), 1) << file.toStdString() << " line " << n;
            const QString t = Text_Table[n];
            EXPECT_EQ(t.count("%d"), def.count("%d")) << file.toStdString() << " line " << n;
            // Texts that are joined with others keep at least the English blanks at their edges.
            const auto [dl, dt] = Edge_Blanks(def);
            const auto [tl, tt] = Edge_Blanks(t);
            EXPECT_GE(tl, dl) << file.toStdString() << " line " << n;
            EXPECT_GE(tt, dt) << file.toStdString() << " line " << n;
        }
        if (file == "English.lng") {
            EXPECT_EQ(Text_Table, english) << "English.lng holds the built-in texts";
        }
        EXPECT_TRUE(QFile::exists(dir.filePath(file.chopped(4) + ".bmp"))) << file.toStdString();
    }
    EXPECT_TRUE(QFile::exists(dir.filePath("DefaultFlag.bmp")));
}
