#include "platform/services/WebBrowserFaces.h"
#include <QStringList>
#include <fontconfig/fontconfig.h>
#include <memory>

namespace {

struct InstalledFace {
    QString fullName;
    int weight = 400;
    bool italic = false;
};

// Every face of the family as the system's font configuration lists it; a face is found by its
// full name, which names one weight and slant.
std::vector<InstalledFace> FacesOf(const QString& family)
{
    std::vector<InstalledFace> faces;
    const QByteArray name = family.toUtf8();
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(
        FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, name.constData(), nullptr), FcPatternDestroy);
    std::unique_ptr<FcObjectSet, decltype(&FcObjectSetDestroy)> objects(
        FcObjectSetBuild(FC_FULLNAME, FC_WEIGHT, FC_SLANT, FC_WIDTH, nullptr), FcObjectSetDestroy);
    if (!pattern || !objects)
        return faces;
    std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> found(FcFontList(nullptr, pattern.get(), objects.get()),
                                                                  FcFontSetDestroy);
    if (!found)
        return faces;
    for (int i = 0; i < found->nfont; ++i) {
        FcChar8* fullName = nullptr;
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        int width = FC_WIDTH_NORMAL;
        FcPatternGetInteger(found->fonts[i], FC_WIDTH, 0, &width);
        // A condensed face listed under the same family would stand in for the normal one.
        if (width != FC_WIDTH_NORMAL || FcPatternGetString(found->fonts[i], FC_FULLNAME, 0, &fullName) != FcResultMatch)
            continue;
        FcPatternGetInteger(found->fonts[i], FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(found->fonts[i], FC_SLANT, 0, &slant);
        faces.push_back({QString::fromUtf8(reinterpret_cast<const char*>(fullName)),
                         static_cast<int>(FcWeightToOpenType(weight)), slant != FC_SLANT_ROMAN});
    }
    return faces;
}

QString Quoted(QString text)
{
    text.replace('\\', QStringLiteral("\\\\")).replace('"', QStringLiteral("\\\""));
    return '"' + text + '"';
}

} // namespace

QString NamedFaceStyleSheet(const std::vector<std::pair<QString, QString>>& faces)
{
    QStringList rules;
    for (const auto& [named, installed] : faces)
        for (const InstalledFace& face : FacesOf(installed))
            rules << QStringLiteral("@font-face { font-family: %1; src: local(%2); font-weight: %3; font-style: %4; }")
                         .arg(Quoted(named), Quoted(face.fullName), QString::number(face.weight),
                              face.italic ? QStringLiteral("italic") : QStringLiteral("normal"));
    return rules.join('\n');
}
