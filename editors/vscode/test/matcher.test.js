// The contributed zetlint problem matcher, run as VS Code runs it (a plain
// JavaScript RegExp and the pattern's group numbers) over zetlint's lines.
'use strict';

const assert = require('node:assert/strict');
const test = require('node:test');
const manifest = require('../package.json');

const matcher = manifest.contributes.problemMatchers.find((m) => m.name === 'zetlint');
const { pattern } = matcher;
const regexp = new RegExp(pattern.regexp);

function problemOf(line) {
  const match = regexp.exec(line);
  if (!match) {
    return null;
  }
  const field = (name) => (pattern[name] === undefined ? undefined : match[pattern[name]]);
  return {
    file: field('file'),
    line: field('line'),
    column: field('column'),
    severity: field('severity'),
    message: field('message'),
    code: field('code'),
  };
}

// line -> expected captures; null: the line is no problem.
const cases = [
  [
    'demo.zts:12:9: error: [STOP] 未定義のラベルです: loop',
    { file: 'demo.zts', line: '12', column: '9', severity: 'error', message: '[STOP] 未定義のラベルです: loop', code: undefined },
  ],
  [
    'examples/demo.zts:3:1: warning: [ASTERISK] label x is never used [-Wunused-label]',
    { file: 'examples/demo.zts', line: '3', column: '1', severity: 'warning', message: '[ASTERISK] label x is never used', code: '-Wunused-label' },
  ],
  [
    'C:\\kit\\examples\\demo.zts:40:17: error: [QUESTION] syntax error',
    { file: 'C:\\kit\\examples\\demo.zts', line: '40', column: '17', severity: 'error', message: '[QUESTION] syntax error', code: undefined },
  ],
  [
    '/home/u/my kit/demo.zts:7:1: note: the label is defined here',
    { file: '/home/u/my kit/demo.zts', line: '7', column: '1', severity: 'note', message: 'the label is defined here', code: undefined },
  ],
  [
    'demo.zts:8:2: warning: key [x] inside the text [-Wunread-key]',
    { file: 'demo.zts', line: '8', column: '2', severity: 'warning', message: 'key [x] inside the text', code: '-Wunread-key' },
  ],
  [
    'demo.zts:8:2: warning: ends in brackets that are no option [STOP]',
    { file: 'demo.zts', line: '8', column: '2', severity: 'warning', message: 'ends in brackets that are no option [STOP]', code: undefined },
  ],
  [
    'demo.zts:8:2: error: a message with : error: inside',
    { file: 'demo.zts', line: '8', column: '2', severity: 'error', message: 'a message with : error: inside', code: undefined },
  ],
  [
    'demo.zts:9: error: a line without a column',
    { file: 'demo.zts', line: '9', column: undefined, severity: 'error', message: 'a line without a column', code: undefined },
  ],
  [
    'demo.zts:1:1: error: from a CRLF log [-Wx]\r',
    { file: 'demo.zts', line: '1', column: '1', severity: 'error', message: 'from a CRLF log', code: '-Wx' },
  ],
  ['zetlint: 2 errors, 1 warning', null],
  ['demo.zts: error: no line number', null],
  ['demo.zts:3:1: fatal: not a severity zetlint prints', null],
  ['    FRAMES1=loop: for 0 to 3;', null],
];

for (const [line, expected] of cases) {
  test(JSON.stringify(line), () => {
    assert.deepEqual(problemOf(line), expected);
  });
}
