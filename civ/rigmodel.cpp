#include "civ/rigmodel.h"

#include "civ/models.h"

namespace {

constexpr RigModelInfo Infos[] = {
    {RigModel::IC706, "ic706", "IC-706", Tic706::DefaultAddress, false, true, 99},
    {RigModel::IC706MKII, "ic706mkii", "IC-706MKII", Tic706::DefaultAddress, false, true, 99},
    {RigModel::IC756, "ic756", "IC-756", Tic756::DefaultAddress, true, false, 99},
    {RigModel::IC821, "ic821", "IC-821", Tic821::DefaultAddress, true, false, 80},
};

}  // namespace

const RigModelInfo& rigModelInfo(RigModel model)
{
    for (const RigModelInfo& i : Infos) {
        if (i.model == model)
            return i;
    }
    return Infos[0];
}

std::optional<RigModel> rigModelFromKey(const QString& key)
{
    for (const RigModelInfo& i : Infos) {
        if (key.compare(QLatin1String(i.key), Qt::CaseInsensitive) == 0)
            return i.model;
    }
    return std::nullopt;
}

Tciv* createRigEngine(RigModel model, QObject* owner)
{
    switch (model) {
    case RigModel::IC706:
    case RigModel::IC706MKII: return new Tic706(owner);
    case RigModel::IC756: return new Tic756(owner);
    case RigModel::IC821: return new Tic821(owner);
    }
    return nullptr;
}
