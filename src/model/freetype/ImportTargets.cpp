#include "ImportTargets.h"

#include "BdfGlyphNames.h"
#include "BdfWriter.h"
#include "CharacterMap.h"
#include "FontCharSet.h"
#include "GlyphName.h"
#include "MessageList.h"

#include FT_BDF_H

#include <algorithm>

std::vector<ImportTargets::Target> ImportTargets::Find(FT_Face face, const FontCharSet& set,
                                                       const std::vector<BdfGlyphNames::Glyph>* own,
                                                       const std::vector<CodeRange>& codes,
                                                       MessageList& report, bool& replaces)
{
    std::vector<Target> targets;
    std::set<int> present;
    replaces = own || FromProperties(face, targets, present);
    if (own) {
        for (size_t index = 0; index < own->size(); ++index) {
            const std::string& name = (*own)[index].name;
            targets.push_back({name, FT_ULong(BdfGlyphNames::FirstCode + qint64(index))});
            present.insert(CharacterMap::Code(name));
            if ((*own)[index].cut) {
                report << GlyphName::Quoted(name) +
                              QStringLiteral(": the name was cut in the BDF font; "
                                             "this is its first part");
            }
        }
    } else if (!replaces) {
        for (const auto& entry : set) {
            const int code = CharacterMap::Code(entry.first);
            if (code >= 0) {
                present.insert(code);
                targets.push_back({entry.first, FT_ULong(code)});
            }
        }
    }
    std::vector<int> lacking;
    for (const CodeRange& range : codes) {
        for (int code = range.First(); code <= range.Last(); ++code) {
            if (present.count(code) > 0)
                continue;
            present.insert(code);
            if (!replaces && FT_Get_Char_Index(face, FT_ULong(code)) != 0)
                targets.push_back({CharacterMap::GlyphNameFor(code), FT_ULong(code)});
            else
                lacking.push_back(code);
        }
    }
    std::sort(lacking.begin(), lacking.end());
    if (!lacking.empty())
        report << QStringLiteral("the font has no glyph for ") +
                      CodeRange::Runs(lacking, CodeRange::Naming::CodePoint);
    return targets;
}

bool ImportTargets::FromProperties(FT_Face face, std::vector<Target>& targets,
                                   std::set<int>& present)
{
    BDF_PropertyRec property;
    if (FT_Get_BDF_Property(face, BdfWriter::NameCountProperty, &property) != 0)
        return false;
    for (int code = 0; code < CharacterMap::CodeCount; ++code) {
        if (FT_Get_Char_Index(face, FT_ULong(code)) == 0)
            continue;
        const QByteArray key = BdfWriter::NamePropertyKey(code);
        std::string name;
        const bool named =
            FT_Get_BDF_Property(face, key.constData(), &property) == 0 &&
            property.type == BDF_PROPERTY_TYPE_ATOM && property.u.atom &&
            BdfGlyphNames::Unescape(property.u.atom, name) == qsizetype(qstrlen(property.u.atom));
        targets.push_back({named ? name : CharacterMap::NewGlyphName(code), FT_ULong(code)});
        present.insert(code);
    }
    return true;
}
