// PDEPluginCallback: what the print dialog gives its plug-in panels — the print
// session, the job's print settings, the printer's description — and, on hosts
// that mark printer-description choices for their panels, the operation that
// asks for a choice to be marked.
//
// That operation is optional: a host may not answer it at all. A panel asks
// respondsToWillChangePPDOptionKeyValue() first; calling the operation on a
// host that does not answer it raises, as sending an unknown message would.
#pragma once

#include <cups/ppd.h>

#include <string>

#include "platform/foundation/platform_exception.h"
#include "platform/print/print_session.h"
#include "platform/print/print_settings.h"

namespace orval {

class PDEPluginCallback {
 public:
  virtual ~PDEPluginCallback() = default;

  // The dialog's print session; nullptr when the host has none.
  virtual PrintSession* printSession() = 0;
  // The job's print settings; nullptr when the host has none.
  virtual PrintSettings* printSettings() = 0;
  // The printer's opened description, owned by the host; nullptr when it has none.
  virtual ppd_file_t* ppdFile() = 0;

  // Whether this host answers willChangePPDOptionKeyValue.
  virtual bool respondsToWillChangePPDOptionKeyValue() const { return false; }
  // Asks the host to mark choice of the printer-description option key.
  // Raises PlatformException on a host that does not answer it.
  virtual void willChangePPDOptionKeyValue(const std::string& key, const std::string& choice) {
    throw PlatformException("NSInvalidArgumentException",
                            "the print dialog does not answer willChangePPDOptionKeyValue (key " +
                                key + ", choice " + choice + ")");
  }
};

}  // namespace orval
