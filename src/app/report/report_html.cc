#include "app/report/report_html.h"

#include "app/report/summary_json.h"
#include "platform/text_encoding.h"

namespace konwerter::app {

std::string ReportHtml(const ConversionResult& result) {
  return "<!DOCTYPE html>\n<html lang=\"pl\"><head><meta charset=\"utf-8\"><title>Raport "
         "konwersji</title></head><body><h1>Raport konwersji</h1><p>" +
         std::string(OutcomeName(result.outcome)) + "</p></body></html>\n";
}

}  // namespace konwerter::app
