// Keeps every bill, delivery note and receipt that was printed or faxed as a PDF in the
// archive of issued documents (printing/document_archive.h). Each document is planned on
// A4 on its own, painted into a PDF in memory and handed to the archive.
#pragma once

#include <QByteArray>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "payments/payment_record.h"
#include "printing/bills.h"
#include "printing/delivery_notes.h"
#include "printing/document_archive.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

struct IssuedDocument {
    printing::ArchivedDocument entry;  // date, kind, customer, amount
    Planner planner;                   // its pages alone
};

// The PDF of a planned document on A4 at 600 dpi, as writePdf() makes it; empty when it
// cannot be painted.
QByteArray pdfOf(const Planner& planner);

// The documents of a print run, one per slip, bill or payment. Their planners refer to the
// arguments: archive them before those change.
// One delivery note per slip of the run (`which` empty: every slip), one copy each.
std::vector<IssuedDocument> deliveryNotesIssued(const AppContext& ctx, const printing::DeliveryRun& run,
                                                const printing::PrintForm& form, printing::DeliveryForm kind,
                                                const std::vector<bool>& which = {});
// One bill per customer (a group bill is one bill), dated with the issue date.
std::vector<IssuedDocument> billsIssued(const AppContext& ctx, const std::vector<printing::Bill>& bills,
                                        const printing::SlipSnapshot& files, const printing::PrintForm& form,
                                        const printing::BillOptions& options);
// The receipt of one payment, for the amount paid.
IssuedDocument receiptIssued(const AppContext& ctx, const PaymentRecord& payment,
                             std::function<printing::Document(const printing::PageArea&)> plan);

// Archives the documents; on the first failure tells the operator which file could not be
// written and stops. True when every document was kept.
bool archiveIssued(const AppContext& ctx, Dialogs& dialogs, const std::vector<IssuedDocument>& documents);

}  // namespace rk::ui
