// The language server driven by vscode-jsonrpc (the protocol library VS
// Code's client is built on) through the parts of the protocol Neovim's
// test leaves out: incremental and full sync, save, references, code
// actions, completion of names, UTF-16 columns, and errors.
// Usage: node lsp_client_test.js EVENTCONFIG EXAMPLE NODE_MODULES

const { spawn } = require('child_process');
const fs = require('fs');
const path = require('path');

const [exe, examplePath, nodeModules] = process.argv.slice(2);
const rpc = require(path.resolve(nodeModules, 'vscode-jsonrpc', 'node'));
const example = fs.readFileSync(examplePath, 'utf8');
const uri = 'file:///work/EventConfig.xml';

function start() {
  const child = spawn(exe, ['lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
  const conn = rpc.createMessageConnection(
    new rpc.StreamMessageReader(child.stdout), new rpc.StreamMessageWriter(child.stdin));
  const published = [];
  let waiting = null;
  conn.onNotification('textDocument/publishDiagnostics', (params) => {
    published.push(params);
    if (waiting) waiting();
  });
  conn.listen();
  // The next diagnostics published after `send` runs.
  const diagnostics = async (send) => {
    const before = published.length;
    const arrived = new Promise((resolve) => { waiting = resolve; });
    await send();
    if (published.length === before) await Promise.race([arrived, sleep(5000)]);
    if (published.length === before) throw new Error('no diagnostics published');
    return published[published.length - 1].diagnostics;
  };
  return { child, conn, diagnostics };
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Position of `at` in the first line holding `line` (UTF-16, as the protocol counts).
function find(text, line, at = line) {
  const lines = text.split('\n');
  const index = lines.findIndex((l) => l.includes(line));
  if (index < 0) throw new Error(`not in the text: ${line}`);
  return { line: index, character: lines[index].indexOf(at, lines[index].indexOf(line)) };
}
const after = (pos, n) => ({ line: pos.line, character: pos.character + n });
const replace = (text, from, to) => {
  if (!text.includes(from)) throw new Error(`not in the text: ${from}`);
  return text.replace(from, to);
};

async function open(server, text) {
  return server.diagnostics(() => server.conn.sendNotification('textDocument/didOpen', {
    textDocument: { uri, languageId: 'xml', version: 1, text },
  }));
}

const transition = '<Action Type="3"><EventStateID>101</EventStateID>';
const cases = [
  ['a one-character edit (incremental sync) shows and clears a finding', async (s) => {
    const clean = await open(s, example);
    const digit = after(find(example, transition, '101'), 0);
    const edit = (text, version) => s.diagnostics(() => s.conn.sendNotification('textDocument/didChange', {
      textDocument: { uri, version },
      contentChanges: [{ range: { start: digit, end: after(digit, 1) }, text }],
    }));
    const broken = await edit('5', 2);
    const fixed = await edit('1', 3);
    const d = broken.find((x) => x.code === 'dangling-event-state');
    return clean.length === 0 && fixed.length === 0 && d && d.severity === 1
      && d.range.start.line === digit.line && d.message.includes('event state 501');
  }],
  ['full sync and save republish', async (s) => {
    await open(s, example);
    const text = replace(example, '<Result Type="TRUE">', '<Result Type="True">');
    const changed = await s.diagnostics(() => s.conn.sendNotification('textDocument/didChange', {
      textDocument: { uri, version: 2 }, contentChanges: [{ text }],
    }));
    const saved = await s.diagnostics(() => s.conn.sendNotification('textDocument/didSave', {
      textDocument: { uri }, text: example,
    }));
    return changed.some((d) => d.code === 'result-type') && saved.length === 0;
  }],
  ['columns count UTF-16 code units', async (s) => {
    const text = replace(example, transition, `<!-- \u{1F600} -->${transition.replace('101', '555')}`);
    const found = (await open(s, text)).find((d) => d.code === 'dangling-event-state');
    return found && found.range.start.character === find(text, '>555<', '555').character;
  }],
  ['a note is related information', async (s) => {
    const text = replace(example, '<Rule ID="2" InitialActivated="0"', '<Rule ID="2" ID="7" InitialActivated="0"');
    const found = (await open(s, text)).find((d) => d.message.includes('duplicate attribute'));
    const first = find(text, '<Rule ID="2" ID="7"', 'ID="2"');
    const related = found && found.relatedInformation && found.relatedInformation[0];
    return related && related.location.uri === uri && related.location.range.start.line === first.line
      && related.location.range.start.character === first.character;
  }],
  ['references from a definition', async (s) => {
    await open(s, example);
    const refs = await s.conn.sendRequest('textDocument/references', {
      textDocument: { uri }, position: after(find(example, '<WaitingEventState ID="100"', '100'), 1),
      context: { includeDeclaration: true },
    });
    return refs.length >= 3 && refs.every((r) => r.uri === uri);
  }],
  ...[
    ['True', '<Result Type="TRUE">', '<Result Type="True">', 'True', 'TRUE'],
    ['0x06', '<Operation Type="6"', '<Operation Type="0x06"', '0x06', '6'],
    ['a misspelt attribute', '<Rule ID="2" InitialActivated="0"', '<Rule ID="2" InitialActivted="0"',
      'InitialActivted', 'InitialActivated'],
    // The later rule replaces the earlier, which is the one reported.
    ['a duplicate rule id', '<Rule ID="2" InitialActivated="0"', '<Rule ID="1" InitialActivated="0"',
      'ID="1"', '2', '<Rule ID="1" InitialActivated="1"'],
  ].map(([name, from, to, at, expected, line = to]) => [`code action fixes ${name}`, async (s) => {
    const text = replace(example, from, to);
    await open(s, text);
    const pos = after(find(text, line, at), at.length - 2);
    const actions = await s.conn.sendRequest('textDocument/codeAction', {
      textDocument: { uri }, range: { start: pos, end: pos }, context: { diagnostics: [] },
    });
    const edits = actions.flatMap((a) => a.edit.changes[uri]);
    return edits.some((e) => e.newText === expected && e.range.start.line === pos.line);
  }]),
  ['completion offers child elements in reading order', async (s) => {
    const text = replace(example, '<Rule ID="1" InitialActivated="1" PlatType="0">',
      '<Rule ID="1" InitialActivated="1" PlatType="0"><');
    await open(s, text);
    const pos = after(find(text, 'PlatType="0"><', '><'), 2);
    const list = await s.conn.sendRequest('textDocument/completion', { textDocument: { uri }, position: pos });
    return list.items.map((i) => i.label).join(',') === 'Operation,ActionList';
  }],
  ['completion offers the attributes not yet written', async (s) => {
    const text = replace(example, '<Rule ID="1" InitialActivated="1" PlatType="0">', '<Rule ID="1" >');
    await open(s, text);
    const pos = after(find(text, '<Rule ID="1" >', ' >'), 1);
    const list = await s.conn.sendRequest('textDocument/completion', { textDocument: { uri }, position: pos });
    return list.items.map((i) => i.label).join(',') === 'InitialActivated,PlatType';
  }],
  ['completion offers the ids a reference may name', async (s) => {
    await open(s, example);
    const pos = after(find(example, transition, '101'), 0);
    const list = await s.conn.sendRequest('textDocument/completion', { textDocument: { uri }, position: pos });
    return ['100', '101', '900'].every((id) => list.items.some((i) => i.label === id));
  }],
  ['errors: unknown method, unopened document', async (s) => {
    const codes = [];
    for (const [method, params] of [['textDocument/formatting', {}],
      ['textDocument/hover', { textDocument: { uri: 'file:///nowhere' }, position: { line: 0, character: 0 } }]]) {
      try { await s.conn.sendRequest(method, params); } catch (e) { codes.push(e.code); }
    }
    return codes.join(',') === '-32601,-32602';
  }],
];

// Bytes an editor would never send, straight on the pipe: each still gets an
// answer or is dropped, and the server keeps serving.
async function rawJunk() {
  const child = spawn(exe, ['lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
  let out = '';
  child.stdout.on('data', (d) => { out += d; });
  const frame = (body) => `Content-Length: ${Buffer.byteLength(body)}\r\n\r\n${body}`;
  child.stdin.write('garbage without a header\r\n\r\n');
  child.stdin.write(frame('{"jsonrpc":"2.0","id":1,'));
  child.stdin.write(frame('{"jsonrpc":"2.0","id":2,"method":"textDocument/hover","params":{}}'));
  child.stdin.write(frame('{"jsonrpc":"2.0","id":3,"method":"initialize","params":{}}'));
  child.stdin.write(frame('{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"x","text":"\\u0000<<a b=\\"<"}}}'));
  child.stdin.write(frame('{"jsonrpc":"2.0","id":4,"method":"shutdown"}'));
  child.stdin.write(frame('{"jsonrpc":"2.0","method":"exit"}'));
  const code = await new Promise((resolve) => child.on('exit', resolve));
  const replies = out.split(/Content-Length: \d+\r\n\r\n/).filter(Boolean).map((m) => JSON.parse(m));
  const answer = (id) => replies.find((r) => r.id === id) || {};
  return code === 0 && answer(null).error.code === -32700 && answer(2).error.code === -32002
    && answer(3).result.capabilities && answer(4).result === null;
}

async function main() {
  let failed = 0;
  for (const [name, run] of [...cases, ['junk on the pipe', null]]) {
    let ok = false;
    let error = '';
    try {
      if (!run) {
        ok = await rawJunk();
      } else {
        const s = start();
        await s.conn.sendRequest('initialize', { processId: process.pid, rootUri: null, capabilities: {} });
        s.conn.sendNotification('initialized', {});
        ok = await run(s);
        await s.conn.sendRequest('shutdown');
        s.conn.sendNotification('exit');
        const code = await new Promise((resolve) => s.child.on('exit', resolve));
        if (code !== 0) { ok = false; error = `exit code ${code}`; }
        s.conn.dispose();
      }
    } catch (e) {
      error = String(e && e.stack || e);
    }
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${error ? `: ${error}` : ''}`);
    if (!ok) failed++;
  }
  console.log(`node client: ${cases.length + 1 - failed} of ${cases.length + 1} passed`);
  process.exit(failed ? 1 : 0);
}

main();
