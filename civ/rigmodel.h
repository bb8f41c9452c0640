#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

class QObject;
class Tciv;

// The radios this program drives. The shell's Radio menu, tsln-ctl's --model and
// the rig server all speak of them by this one enum.
enum class RigModel { IC706, IC706MKII, IC756, IC821 };

constexpr RigModel AllRigModels[] = {RigModel::IC706, RigModel::IC706MKII, RigModel::IC756, RigModel::IC821};

struct RigModelInfo {
    RigModel model;
    const char* key;   // "ic756", as tsln-ctl takes it
    const char* name;  // "IC-756", as menus and dialogs show it
    quint8 defaultAddress;
    bool mainSub;     // has Main and Sub bands (07 D0 / 07 D1)
    bool ic706Modes;  // the engine's IC-706 mode table: narrow modes and WFM
    int memories;     // memory channels 1 to this, as the panels number them
};

const RigModelInfo& rigModelInfo(RigModel model);
std::optional<RigModel> rigModelFromKey(const QString& key);

// The model's engine, owned by owner, at the model's default address. The one
// place engines are made.
Tciv* createRigEngine(RigModel model, QObject* owner);
