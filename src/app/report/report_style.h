#pragma once

#include <string_view>

namespace konwerter::app {

// The report's style sheet: a plain document on screen and on A4 paper, dark text on white
// (contrast at least 4.5:1), tables with their headings repeated on every printed page, and
// the colours of the outcome and the bars kept in print.
inline constexpr std::string_view kReportStyle = R"css(
:root { --ink: #1b1f24; --muted: #4d5561; --rule: #c9d0d8; --head: #e9eef4; --zebra: #f6f8fa;
  --ok: #1e6b2e; --ok-bg: #e7f4ea; --warn: #8a4a00; --warn-bg: #fff3df; --bad: #a4221b;
  --bad-bg: #fdeceb; --none: #4d5561; --none-bg: #eef1f4; }
* { box-sizing: border-box; }
html { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { margin: 0 auto; max-width: 1100px; padding: 24px 32px 48px; color: var(--ink);
  background: #fff; font: 14px/1.45 "DejaVu Sans", "Segoe UI", Arial, sans-serif; }
h1 { font-size: 24px; margin: 0 0 4px; }
h2 { font-size: 19px; margin: 32px 0 10px; padding-bottom: 4px; border-bottom: 2px solid var(--ink);
  break-after: avoid; }
h3 { font-size: 15px; margin: 22px 0 6px; break-after: avoid; }
h3 .folder { font-weight: normal; color: var(--muted); }
p { margin: 6px 0; }
a { color: #0b4f9c; }
code, .path, .mono, .key { font-family: "DejaVu Sans Mono", Consolas, monospace;
  font-size: 0.92em; overflow-wrap: break-word; }
.key { white-space: nowrap; }
table.counts td:first-child { width: 15em; }
table.counts td:last-child { width: 6em; }
.subtitle { color: var(--muted); margin: 0 0 16px; }
.outcome { border-left: 8px solid; padding: 12px 16px; margin: 12px 0 8px; border-radius: 3px; }
.outcome .label { font-size: 20px; font-weight: bold; margin: 0 0 4px; }
.outcome .message { white-space: pre-line; margin: 4px 0; }
.outcome.ok { border-color: var(--ok); background: var(--ok-bg); }
.outcome.ok .label { color: var(--ok); }
.outcome.warn { border-color: var(--warn); background: var(--warn-bg); }
.outcome.warn .label { color: var(--warn); }
.outcome.bad { border-color: var(--bad); background: var(--bad-bg); }
.outcome.bad .label { color: var(--bad); }
.outcome.none { border-color: var(--none); background: var(--none-bg); }
nav ol { columns: 2; margin: 6px 0; padding-left: 22px; }
dl.facts { display: grid; grid-template-columns: max-content 1fr; gap: 3px 18px; margin: 6px 0; }
dl.facts dt { color: var(--muted); }
dl.facts dd { margin: 0; }
table { border-collapse: collapse; margin: 6px 0 10px; }
table.wide { width: 100%; }
th, td { border: 1px solid var(--rule); padding: 3px 7px; vertical-align: top; text-align: left; }
thead th { background: var(--head); font-size: 12.5px; vertical-align: bottom; }
tbody tr:nth-child(even) { background: var(--zebra); }
tbody.total td, tbody.total th { font-weight: bold; background: var(--head); }
td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
thead th.n { white-space: normal; width: 5.8em; }
tbody th { font-weight: normal; }
td.none { color: var(--muted); }
dl.facts dt.sub { padding-left: 1.2em; }
td.chart { width: 172px; padding-top: 5px; }
.target { font-weight: bold; }
.source, .why { display: block; color: var(--muted); font-size: 12.5px; }
.why a { color: var(--muted); }
.derived { font-style: italic; }
table.samples { font-size: 12.5px; width: 100%; }
.legend { font-size: 12.5px; color: var(--muted); }
.legend .swatch { margin-right: 14px; white-space: nowrap; }
.legend svg { vertical-align: -1px; }
svg.bars { display: block; }
.b-track { fill: #eef1f4; }
.b-read { fill: #4a5a6e; }
.b-written { fill: #2f7d3a; }
.b-skipped { fill: #c2410c; }
.balance.ok { color: var(--ok); }
.balance.bad { color: var(--bad); font-weight: bold; }
.warn-file { margin: 8px 0; break-inside: avoid; }
.warn-file h3 { font-size: 13px; font-weight: normal; margin: 10px 0 2px; }
.warn-file ul { margin: 0; padding-left: 22px; }
.columns { display: flex; flex-wrap: wrap; gap: 0 24px; align-items: flex-start; }
.note { color: var(--muted); font-size: 12.5px; }
footer { margin-top: 40px; padding-top: 8px; border-top: 1px solid var(--rule); color: var(--muted);
  font-size: 12.5px; }
@page { size: A4; margin: 14mm 12mm 16mm; }
@media print {
  body { max-width: none; padding: 0; font-size: 9.5pt; }
  h2 { font-size: 13pt; margin-top: 18pt; }
  h3 { font-size: 11pt; }
  nav { display: none; }
  a { color: inherit; text-decoration: none; }
  thead th, .source, .why, .legend, .note, table.samples { font-size: 8pt; }
  th, td { padding: 2px 4px; }
  thead th.n { width: 4.8em; }
  td.chart { width: 86px; }
  svg.bars { width: 80px; height: auto; }
  tr, .outcome, dl.facts { break-inside: avoid; }
  section { break-before: auto; }
}
)css";

}  // namespace konwerter::app
