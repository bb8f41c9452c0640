#include "shell/panelfactory.h"

#include "panels/hi_706.h"
#include "panels/hi_706mkii.h"
#include "panels/hi_756.h"
#include "panels/hi_821.h"
#include "panels/ic821.h"

QWidget* createRadioPanel(RigModel model, QWidget* owner, const QString& libraryPath)
{
    switch (model) {
    case RigModel::IC756: return new THi_756FORM(owner, libraryPath);
    case RigModel::IC821: return new THi_821FORM(owner, libraryPath);
    case RigModel::IC706: return new THi_706FORM(owner, libraryPath);
    case RigModel::IC706MKII: return new THi_706MKIIFORM(owner, libraryPath);
    }
    return nullptr;
}

QWidget* createTextPanel821(QWidget* owner) { return new TIC821FORM(owner); }
