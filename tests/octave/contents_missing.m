function missing = contents_missing ()
  % The names `help Contents` lists (lines "  name - summary") that `help`
  % cannot find where the toolbox is installed on the path.
  text = evalc ("help Contents");
  names = regexp (text, '(?m)^\s+([A-Za-z][\w.]*)\s+- ', "tokens");
  names = cellfun (@(t) t{1}, names, "UniformOutput", false);
  assert (numel (names) >= 10, "help Contents lists too few names");
  missing = {};
  for k = 1:numel (names)
    try
      found = ! isempty (strfind (lower (evalc (["help " names{k}])), lower (names{k})));
    catch
      found = false;
    end
    if (! found)
      missing{end+1} = names{k};
    end
  end
end
