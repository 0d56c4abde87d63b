// The extension's version as packaging takes it from the kit's CMakeLists.txt.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const test = require('node:test');
const { kitVersionOf, extensionVersionOf } = require('../tools/package.js');

// Where the kit's CMakeLists.txt is: beside the kit, or named by the build.
const kitFile = process.env.ZET_KIT_CMAKELISTS ?? path.join(__dirname, '..', '..', '..', 'CMakeLists.txt');

test('the kit file gives three numbers', () => {
  assert.match(extensionVersionOf(kitVersionOf(fs.readFileSync(kitFile, 'utf8'))), /^\d+\.\d+\.\d+$/);
});

const projectLines = [
  ['project(Zetrova VERSION 1.0.0.3 LANGUAGES C CXX)', '1.0.0.3'],
  ['# project(Zetrova VERSION 9.9)\nproject(Zetrova VERSION 2.1)', '2.1'],
  ['  PROJECT ( Zetrova VERSION 1.4.2\n  LANGUAGES C)', '1.4.2'],
  ['project(Other VERSION 1.0.0.3)', null],
  ['project(Zetrova LANGUAGES C)', null],
  ['project(Zetrova VERSION 1.0.0.3.1)', null],
];
for (const [text, expected] of projectLines) {
  test(`kit version of ${JSON.stringify(text)}`, () => {
    if (expected === null) {
      assert.throws(() => kitVersionOf(text));
    } else {
      assert.equal(kitVersionOf(text), expected);
    }
  });
}

const versions = [
  ['1.0.0.3', '1.0.3'],
  ['1.2.3.4', '1.2.304'],
  ['1.0.1.0', '1.0.100'],
  ['2.1', '2.1.0'],
  ['1.0.0.100', null],
];
for (const [kit, expected] of versions) {
  test(`extension version of kit ${kit}`, () => {
    if (expected === null) {
      assert.throws(() => extensionVersionOf(kit));
    } else {
      assert.equal(extensionVersionOf(kit), expected);
    }
  });
}

// Each kit after the one before it must give a later extension, or VS Code
// would not upgrade.
const ascending = ['1.0.0.0', '1.0.0.3', '1.0.0.99', '1.0.1.0', '1.0.1.1', '1.0.2.0', '1.1.0.0', '1.1.0.5', '2.0.0.0'];
test('later kits give later extensions', () => {
  const numbers = ascending.map((kit) => extensionVersionOf(kit).split('.').map(Number));
  for (let i = 1; i < numbers.length; ++i) {
    const [a, b] = [numbers[i - 1], numbers[i]];
    const later = b[0] - a[0] || b[1] - a[1] || b[2] - a[2];
    assert.ok(later > 0, `${ascending[i]} after ${ascending[i - 1]}`);
  }
});
