function [id, text] = message (caller, fault, varargin)
%MESSAGE  The identifier and text of one of the toolbox API's errors or warnings.
%   [ID, TEXT] = winscore.internal.message(CALLER, FAULT, ARGS...) gives
%   ID = 'winscore:CALLER:FAULT' and TEXT = 'winscore.CALLER: ' followed by
%   the template of FAULT filled from ARGS as SPRINTF fills it. CALLER is
%   the function the user called; FAULT is lowerCamel. Every text the API
%   shows is in the table below, and nowhere else.

% SPDX-License-Identifier: MIT

  persistent table
  if isempty (table)
    table = struct ( ...
      'inputs',        'expects %s', ...
      'outputs',       'gives at most %d outputs', ...
      'options',       'options come in name-value pairs', ...
      'optionName',    'option names must be character strings', ...
      'unknownOption', 'unknown option ''%s''; the options are %s', ...
      'scores',        'needs one real score per box, none NaN: %d boxes, but %d scores of class %s (or a NaN among them)', ...
      'ratioKind',     '''Ratio'' must be ''union'' or ''min'', not a %s of another value');
  end
  if ~isfield (table, fault)
    error ('winscore:internal:unknownFault', 'winscore: no message for fault ''%s''', fault);
  end
  id = ['winscore:' caller ':' fault];
  text = ['winscore.' caller ': ' sprintf(table.(fault), varargin{:})];
end
