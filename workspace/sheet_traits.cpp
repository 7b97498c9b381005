#include "workspace/sheet_traits.h"

namespace linkmoor {

const SheetTraits &localSheetTraits() {
  static const SheetTraits traits{
      false,
      QStringLiteral("Local"),
      {QStringLiteral("Local"), QStringLiteral("Info"), QStringLiteral("Desc"),
       QStringLiteral("Edit")},
      QStringLiteral("F-link"),
      QStringLiteral("Save"),
      JOB_LOCAL_ANALYZE,
      JOB_LOCAL_SAVE,
      JOB_LOCAL_SHOW_FILE,
      JOB_LOCAL_REFRESH_FILE,
  };
  return traits;
}

const SheetTraits &remoteSheetTraits() {
  static const SheetTraits traits{
      true,
      QStringLiteral("Host"),
      {QStringLiteral("Main"), QStringLiteral("Info"), QStringLiteral("Desc"),
       QStringLiteral("Edit")},
      QStringLiteral("S-link"),
      QStringLiteral("Save and Upload"),
      JOB_REMOTE_ANALYZE,
      JOB_REMOTE_SAVE_UPLOAD,
      JOB_REMOTE_SHOW_FILE,
      JOB_REMOTE_REFRESH_FILE,
  };
  return traits;
}

} // namespace linkmoor
