// The anchor for bench_route: Playwright drives Debian's Chromium on the same
// route page (the address is the first argument) as the route calculation
// does: start the browser, open the page, wait for both fields, fill them,
// press the button. Figures only; headless, so its start is a little cheaper.
'use strict';
const { chromium } = require('playwright-core');

async function run(browser, url) {
  const t0 = performance.now();
  const page = await browser.newPage();
  const t1 = performance.now();
  await page.goto(url, { waitUntil: 'load' });
  const t2 = performance.now();
  await page.fill('#header_form_route #input_adress_start', 'Hauptstraße 12, 80331 München, DEU');
  await page.fill('#header_form_route #input_adress_dest', 'Ring 5, 8001 Zürich, CHE');
  await page.click('#header_form_route #btn_calculate_route');
  const t3 = performance.now();
  await page.waitForFunction(() => document.getElementById('result').textContent !== '');
  return { page: t1 - t0, navigation: t2 - t1, fill: t3 - t2 };
}

async function main() {
  const url = process.argv[2];
  const t0 = performance.now();
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
  const started = performance.now() - t0;
  const print = (what, extra, r) => {
    console.log(`${what}: ${(extra + r.page + r.navigation + r.fill).toFixed(0)} ms to the button clicked`);
    console.log(`  browser start and page             ${(extra + r.page).toFixed(0).padStart(7)} ms`);
    console.log(`  navigation (to load)               ${r.navigation.toFixed(0).padStart(7)} ms`);
    console.log(`  filling and the click              ${r.fill.toFixed(0).padStart(7)} ms`);
  };
  const first = await run(browser, url);
  const second = await run(browser, url);
  print('first run, browser started', started, first);
  print('second run, browser running', 0, second);
  await browser.close();
  // For bench_route's table beside Rovandel2's figures.
  const total = (r) => r.page + r.navigation + r.fill;
  console.log(`ROUTE_ANCHOR=launch=${(started + total(first)).toFixed(0)} page=${total(second).toFixed(0)}`);
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
